#include "form1_icon.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace dorvek::window {
namespace {

// The images as drawn: one character a pixel, a hexadecimal digit for an index into
// the standard 16-colour palette (0 black, 8 dark grey) and '.' for transparent.
constexpr std::array<std::string_view, 32> tick32 = {
    "................................", //
    "................................", //
    "................................", //
    ".............................0..", //
    "............................0...", //
    "............................0...", //
    "...........................0....", //
    "..........................00....", //
    "..........................0.....", //
    ".........................00.....", //
    "........................00......", //
    "........................00......", //
    ".......................00.......", //
    "......................000.......", //
    "......................00........", //
    ".....................000........", //
    "....................000.........", //
    "....000.............00..........", //
    "....0000...........000..........", //
    "....0000..........000...........", //
    ".....0000.........000...........", //
    "......0000.......000............", //
    ".......0000.....0000............", //
    "........0000....000.............", //
    ".........0000..0000.............", //
    "..........00000000..............", //
    "...........0000000..............", //
    "............00000...............", //
    "............0000................", //
    ".............000................", //
    "................................", //
    "................................", //
};

constexpr std::array<std::string_view, 16> tick16 = {
    "................", //
    "..............0.", //
    ".............00.", //
    ".............0..", //
    "............08..", //
    "............0...", //
    "...........00...", //
    "..........00....", //
    "..........00....", //
    "..00.....00.....", //
    "..000....00.....", //
    "...000..00......", //
    "....000.00......", //
    ".....0000.......", //
    "......000.......", //
    ".......0........", //
};

template <std::size_t Size>
struct PackedImage {
    static_assert(Size % 8 == 0, "rows of whole mask bytes");
    std::array<std::uint8_t, Size * Size / 2> colourIndices{};
    std::array<std::uint8_t, Size * Size / 8> transparencyMask{};
};

constexpr std::uint8_t paletteIndex(char pixel) {
    if (pixel >= '0' && pixel <= '9') {
        return static_cast<std::uint8_t>(pixel - '0');
    }
    if (pixel >= 'A' && pixel <= 'F') {
        return static_cast<std::uint8_t>(pixel - 'A' + 10);
    }
    throw std::invalid_argument("not a palette index"); // stops the compilation
}

// Packs the drawing into the icon's own form at compile time.
template <std::size_t Size>
constexpr PackedImage<Size> pack(const std::array<std::string_view, Size>& rows) {
    PackedImage<Size> image;
    for (std::size_t y = 0; y < Size; ++y) {
        if (rows[y].size() != Size) {
            throw std::invalid_argument("row of the wrong width"); // stops the compilation
        }
        for (std::size_t x = 0; x < Size; ++x) {
            const std::size_t pixel = y * Size + x;
            if (rows[y][x] == '.') {
                image.transparencyMask[pixel / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
                continue;
            }
            const std::uint8_t index = paletteIndex(rows[y][x]);
            image.colourIndices[pixel / 2] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
    }
    return image;
}

constexpr PackedImage<32> packed32 = pack(tick32);
constexpr PackedImage<16> packed16 = pack(tick16);

constexpr std::array<host::IconImage, 2> images = {{
    {32, packed32.colourIndices, packed32.transparencyMask},
    {16, packed16.colourIndices, packed16.transparencyMask},
}};

// Corner by corner, clockwise from the short arm's upper end; the long arm narrows to
// its tip at the top right.
constexpr std::array<host::IconPoint, 9> tickOutline = {{
    {4, 17},
    {6.5, 17.5},
    {14.25, 25.5},
    {29.25, 3},
    {30, 3},
    {18.25, 25.5},
    {15.5, 30},
    {13, 29.5},
    {4, 19},
}};

constexpr host::IconOutline outline = {.side = 32, .points = tickOutline, .colourIndex = 0};

} // namespace

std::span<const host::IconImage> form1Icon() {
    return images;
}

const host::IconOutline& form1IconOutline() {
    return outline;
}

} // namespace dorvek::window
