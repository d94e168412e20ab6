#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

// Byte-order helpers for metafile fields, which are little-endian and may sit at any
// alignment. Readers take a bounds-checked offset from their caller: the parser has
// already proved that the field lies inside the record.
namespace dorvek::host::emf {

inline std::uint32_t readU32(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

inline std::int32_t readI32(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::int32_t>(readU32(bytes, offset));
}

inline std::uint16_t readU16(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(static_cast<unsigned>(bytes[offset]) |
                                      static_cast<unsigned>(bytes[offset + 1]) << 8);
}

inline std::int16_t readI16(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::int16_t>(readU16(bytes, offset));
}

inline float readF32(std::span<const std::byte> bytes, std::size_t offset) {
    const std::uint32_t bits = readU32(bytes, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Appends fields to a growing byte buffer.
class ByteAppender {
public:
    explicit ByteAppender(std::vector<std::byte>& bytes) : bytes_(bytes) {}

    void u8(std::uint8_t value) { bytes_.push_back(static_cast<std::byte>(value)); }
    void u16(std::uint16_t value) {
        u8(static_cast<std::uint8_t>(value));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value) {
        u16(static_cast<std::uint16_t>(value));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void f32(float value) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        u32(bits);
    }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, std::byte{0}); }
    void bytes(std::span<const std::byte> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }

private:
    std::vector<std::byte>& bytes_;
};

inline void patchU32(std::vector<std::byte>& bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::byte>(value >> (8 * i));
    }
}

} // namespace dorvek::host::emf
