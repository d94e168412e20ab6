#pragma once

#include "host/emf_format/metafile_writer.h"

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <type_traits>
#include <vector>

// Metafile bytes written and read at the byte offsets MS-EMF gives, written out here
// and never taken from the format's own layouts: a wrong offset there then shows
// instead of cancelling out.
namespace dorvek::test {

// The low count bytes of value from offset on, the least significant first.
inline void putLittleEndian(std::span<std::byte> bytes, std::size_t offset, std::uint64_t value,
                            std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        bytes[offset + i] = static_cast<std::byte>(value >> (8 * i));
    }
}

template <std::integral T>
void putLittleEndian(std::span<std::byte> bytes, std::size_t offset, T value) {
    putLittleEndian(bytes, offset, static_cast<std::make_unsigned_t<T>>(value), sizeof(T));
}

template <std::integral T>
T getLittleEndian(std::span<const std::byte> bytes, std::size_t offset) {
    std::make_unsigned_t<T> bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bits |= static_cast<std::make_unsigned_t<T>>(std::to_integer<unsigned>(bytes[offset + i])
                                                     << (8 * i));
    }
    return static_cast<T>(bits);
}

// EMR_HEADER's fields that the tests change.
namespace header_offset {
inline constexpr std::size_t frame = 24;
inline constexpr std::size_t signature = 40;
inline constexpr std::size_t bytes = 48;
inline constexpr std::size_t records = 52;
inline constexpr std::size_t handles = 56; // 16 bits
inline constexpr std::size_t descriptionCharacters = 60;
inline constexpr std::size_t referencePixels = 72;
inline constexpr std::size_t referenceMillimetres = 80;
} // namespace header_offset

// A field of a record: its offset from the record's start, its value, its size.
struct RawField {
    std::size_t offset;
    std::int64_t value;
    std::size_t bytes = 4;
};

// A record of type, size bytes long, with each field put at its offset; written by
// MetafileWriter, which frames it with its type and size. It serves as a draw function.
class RawRecord {
public:
    RawRecord(host::emf_format::RecordType type, std::size_t size,
              std::initializer_list<RawField> fields = {})
        : type_(type), body_(size - 8) {
        for (const RawField& field : fields) {
            at(field);
        }
    }

    RawRecord& at(const RawField& field) {
        putLittleEndian(body_, field.offset - 8, static_cast<std::uint64_t>(field.value),
                        field.bytes);
        return *this;
    }
    void operator()(host::emf_format::MetafileWriter& writer) const { writer.record(type_, body_); }

private:
    host::emf_format::RecordType type_;
    std::vector<std::byte> body_;
};

} // namespace dorvek::test
