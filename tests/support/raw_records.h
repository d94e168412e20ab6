#pragma once

#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

// Metafile bytes written and read at the byte offsets MS-EMF gives, written out here
// and never taken from the format's own layouts: a wrong offset there then shows
// instead of cancelling out.
namespace dorvek::test {

template <std::integral T>
void putLittleEndian(std::span<std::byte> bytes, std::size_t offset, T value) {
    const auto bits = static_cast<std::make_unsigned_t<T>>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        bytes[offset + i] = static_cast<std::byte>(bits >> (8 * i));
    }
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
inline constexpr std::size_t descriptionOffset = 64;
inline constexpr std::size_t referencePixels = 72;
inline constexpr std::size_t referenceMillimetres = 80;
} // namespace header_offset

// A record's body, the bytes after its type and size, with each field put at its
// offset from the record's start.
class RawRecord {
public:
    explicit RawRecord(std::size_t size) : body_(size - 8) {}

    template <std::integral T>
    RawRecord& at(std::size_t offset, T value) {
        putLittleEndian(std::span(body_), offset - 8, value);
        return *this;
    }
    std::span<const std::byte> body() const { return body_; }

private:
    std::vector<std::byte> body_;
};

} // namespace dorvek::test
