#pragma once

#include <array>
#include <string_view>

// The curve picture's positions as its design gives them, in picture pixels counted
// from the frame's top-left corner: the numbers every picture test checks the
// product against, written out here rather than computed by the code under test.
namespace dorvek::test::curve_reference {

inline constexpr int width = 491;
inline constexpr int height = 254;

// Boxes with every edge included.
struct Box {
    int left;
    int top;
    int right;
    int bottom;
};
inline constexpr Box chartArea{5, 5, 484, 248}; // white, its outermost pixels black
inline constexpr Box plotArea{16, 5, 475, 222}; // light grey, its outermost pixels grey
inline constexpr int axisRow = 222;             // black from column 16 to 474
inline constexpr int tickBottom = 225;          // ticks run from the axis down to here
inline constexpr std::array<int, 9> tickColumns = {16, 73, 131, 188, 246, 303, 360, 418, 475};

// The labels' text cells; a label's advances are 4 for '-', 6 for a digit, 3 for ','.
inline constexpr int labelTop = 231;
inline constexpr int labelBottom = 244;
struct Label {
    std::string_view text;
    int left;
    int width;
};
inline constexpr std::array<Label, 9> labels = {{
    {"-4,0", 7, 19},
    {"-3,0", 64, 19},
    {"-2,0", 122, 19},
    {"-1,0", 179, 19},
    {"0,0", 239, 15},
    {"1,0", 296, 15},
    {"2,0", 353, 15},
    {"3,0", 411, 15},
    {"4,0", 468, 15},
}};

// The curve's 101 vertices, x from -5.0 to 5.0 in steps of 0.1: column
// floor(16 + 57.375 (x + 4) + 0.5) and row floor(222 - 203.8 exp(-x^2 / 2) + 0.5).
inline constexpr std::array<int, 101> curveColumns = {
    -41, -36, -30, -24, -18, -13, -7,  -1,  5,   10,  16,  22,  27,  33,  39,  45,  50,
    56,  62,  68,  73,  79,  85,  91,  96,  102, 108, 114, 119, 125, 131, 136, 142, 148,
    154, 159, 165, 171, 177, 182, 188, 194, 200, 205, 211, 217, 223, 228, 234, 240, 246,
    251, 257, 263, 268, 274, 280, 286, 291, 297, 303, 309, 314, 320, 326, 332, 337, 343,
    349, 355, 360, 366, 372, 377, 383, 389, 395, 400, 406, 412, 418, 423, 429, 435, 441,
    446, 452, 458, 464, 469, 475, 481, 486, 492, 498, 504, 509, 515, 521, 527, 532};
inline constexpr std::array<int, 101> curveRows = {
    222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 221,
    221, 221, 220, 220, 219, 218, 217, 215, 213, 211, 208, 204, 200, 194, 188, 182, 174,
    165, 156, 146, 134, 123, 111, 98,  86,  74,  62,  52,  42,  34,  27,  22,  19,  18,
    19,  22,  27,  34,  42,  52,  62,  74,  86,  98,  111, 123, 134, 146, 156, 165, 174,
    182, 188, 194, 200, 204, 208, 211, 213, 215, 217, 218, 219, 220, 220, 221, 221, 221,
    222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222, 222};

// The picture's colours as 0xRRGGBB.
inline constexpr unsigned black = 0x000000;
inline constexpr unsigned white = 0xFFFFFF;
inline constexpr unsigned lightGrey = 0xC0C0C0;
inline constexpr unsigned grey = 0x808080;
inline constexpr unsigned navy = 0x000080;

} // namespace dorvek::test::curve_reference
