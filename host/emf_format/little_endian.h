#pragma once

#include "host/emf_format/emf_types.h"

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>
#include <vector>

// How each kind of field is stored: little-endian, at any alignment, as the platform's
// file formats store them (metafiles here, icon files in the build's tools). load and
// store take a pointer to encodedSize<T> bytes that their caller has checked are there.
namespace dorvek::host::emf_format {

// A point of a 16-bit poly record.
struct Point16 {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

template <class T>
inline constexpr std::size_t encodedSize = sizeof(T);
template <>
inline constexpr std::size_t encodedSize<ColourRef> = 4;
template <>
inline constexpr std::size_t encodedSize<Point16> = 4;
template <>
inline constexpr std::size_t encodedSize<Point> = 8;
template <>
inline constexpr std::size_t encodedSize<Size> = 8;
template <>
inline constexpr std::size_t encodedSize<Rect> = 16;

template <class T>
T load(const std::byte* at) {
    if constexpr (std::integral<T>) {
        std::make_unsigned_t<T> value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            value = static_cast<std::make_unsigned_t<T>>(
                value | static_cast<std::make_unsigned_t<T>>(std::to_integer<unsigned>(at[i]))
                            << (8 * i));
        }
        return static_cast<T>(value);
    } else if constexpr (std::same_as<T, float>) {
        return std::bit_cast<float>(load<std::uint32_t>(at));
    } else if constexpr (std::same_as<T, ColourRef>) {
        return {std::to_integer<std::uint8_t>(at[0]), std::to_integer<std::uint8_t>(at[1]),
                std::to_integer<std::uint8_t>(at[2])};
    } else if constexpr (std::same_as<T, Point16>) {
        return {load<std::int16_t>(at), load<std::int16_t>(at + 2)};
    } else if constexpr (std::same_as<T, Point>) {
        return {load<std::int32_t>(at), load<std::int32_t>(at + 4)};
    } else if constexpr (std::same_as<T, Size>) {
        return {load<std::int32_t>(at), load<std::int32_t>(at + 4)};
    } else {
        static_assert(std::same_as<T, Rect>);
        return {load<std::int32_t>(at), load<std::int32_t>(at + 4), load<std::int32_t>(at + 8),
                load<std::int32_t>(at + 12)};
    }
}

template <class T>
void store(std::byte* at, const T& value) {
    if constexpr (std::integral<T>) {
        const auto bits = static_cast<std::make_unsigned_t<T>>(value);
        for (std::size_t i = 0; i < sizeof(T); ++i) {
            at[i] = static_cast<std::byte>(bits >> (8 * i));
        }
    } else if constexpr (std::same_as<T, float>) {
        store(at, std::bit_cast<std::uint32_t>(value));
    } else if constexpr (std::same_as<T, ColourRef>) {
        store(at, static_cast<std::uint32_t>(value.red | value.green << 8 | value.blue << 16));
    } else if constexpr (std::same_as<T, Point16>) {
        store(at, value.x);
        store(at + 2, value.y);
    } else if constexpr (std::same_as<T, Point>) {
        store(at, value.x);
        store(at + 4, value.y);
    } else if constexpr (std::same_as<T, Size>) {
        store(at, value.width);
        store(at + 4, value.height);
    } else {
        static_assert(std::same_as<T, Rect>);
        store(at, value.left);
        store(at + 4, value.top);
        store(at + 8, value.right);
        store(at + 12, value.bottom);
    }
}

// Appends fields to a growing byte buffer.
class ByteAppender {
public:
    explicit ByteAppender(std::vector<std::byte>& bytes) : bytes_(bytes) {}

    template <class T>
    void put(const T& value) {
        const std::size_t at = bytes_.size();
        bytes_.resize(at + encodedSize<T>);
        store(bytes_.data() + at, value);
    }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, std::byte{0}); }
    void bytes(std::span<const std::byte> data) {
        bytes_.insert(bytes_.end(), data.begin(), data.end());
    }

private:
    std::vector<std::byte>& bytes_;
};

} // namespace dorvek::host::emf_format
