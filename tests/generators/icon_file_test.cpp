#include "generators/icon_files.h"
#include "host/runtime/program_description.h"
#include "tests/support/test_application.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <array>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace dorvek::generators {
namespace {

using host::IconImage;

// An 8 x 8 image: row 0 holds the indices 0 to 7, row 1 the indices 8 to 15, the rest
// white; the mask hides the first pixel of row 2 and the last of row 7.
constexpr std::array<std::uint8_t, 32> smallIndices = {
    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
};
constexpr std::array<std::uint8_t, 8> smallMask = {0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x01};

// A 16 x 16 image all in index 12 (blue), its top right pixel hidden.
const std::vector<std::uint8_t> largeIndices(16 * 8, 0xCC);
const std::vector<std::uint8_t> largeMask = [] {
    std::vector<std::uint8_t> mask(16 * 2, 0x00);
    mask[1] = 0x01;
    return mask;
}();

const std::array<IconImage, 2> twoImages = {{
    {.size = 8, .colourIndices = smallIndices, .transparencyMask = smallMask},
    {.size = 16, .colourIndices = largeIndices, .transparencyMask = largeMask},
}};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (const int value : values) {
        result.append(static_cast<char>(value));
    }
    return result;
}

TEST(IconFile, DirectoryGivesEachImagesSizeColoursAndPlace) {
    const QByteArray file = iconFile(twoImages);
    // 8 x 8: 40 + 64 + 8 rows of 4 colour bytes + 8 rows of 4 mask bytes = 168 at 38;
    // 16 x 16: 40 + 64 + 16 * 8 + 16 * 4 = 296 at 206.
    EXPECT_EQ(file.first(38), bytes({0,  0,  1,  0, 2, 0,                                    //
                                     8,  8,  16, 0, 1, 0, 4, 0, 168,  0, 0, 0, 38,  0, 0, 0, //
                                     16, 16, 16, 0, 1, 0, 4, 0, 0x28, 1, 0, 0, 206, 0, 0, 0}));
    EXPECT_EQ(file.size(), 38 + 168 + 296);
}

TEST(IconFile, EachBitmapIsDoubleHeightFourBitWithTheStandardPalette) {
    const QByteArray file = iconFile(twoImages);
    EXPECT_EQ(file.sliced(38, 40),
              bytes({40, 0, 0, 0, 8, 0, 0, 0, 16, 0, 0, 0, 1, 0, 4, 0, 0, 0, 0, 0,
                     64, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Blue, green, red, zero: index 4 navy, index 9 red, index 15 white.
    EXPECT_EQ(file.sliced(38 + 40 + 4 * 4, 4), bytes({128, 0, 0, 0}));
    EXPECT_EQ(file.sliced(38 + 40 + 9 * 4, 4), bytes({0, 0, 255, 0}));
    EXPECT_EQ(file.sliced(38 + 40 + 15 * 4, 4), bytes({255, 255, 255, 0}));
}

// Rows run bottom to top, padded to four bytes; a hidden pixel's colour is black (index
// 0) so that drawing through the mask leaves the background as it was.
TEST(IconFile, RowsRunBottomUpAndHiddenPixelsAreBlack) {
    const QByteArray file = iconFile(twoImages);
    const qsizetype colours = 38 + 40 + 64;
    EXPECT_EQ(file.sliced(colours, 4), bytes({0xFF, 0xFF, 0xFF, 0xF0}));         // row 7
    EXPECT_EQ(file.sliced(colours + 5 * 4, 4), bytes({0x0F, 0xFF, 0xFF, 0xFF})); // row 2
    EXPECT_EQ(file.sliced(colours + 7 * 4, 4), bytes({0x01, 0x23, 0x45, 0x67})); // row 0
    const qsizetype mask = colours + 8 * 4;
    EXPECT_EQ(file.sliced(mask, 4), bytes({0x01, 0, 0, 0}));         // row 7
    EXPECT_EQ(file.sliced(mask + 5 * 4, 4), bytes({0x80, 0, 0, 0})); // row 2
    EXPECT_EQ(file.sliced(mask + 7 * 4, 4), bytes({0, 0, 0, 0}));    // row 0
}

// Qt's own icon reader sees the pixels and the transparency the window's icon has.
TEST(IconFile, ReadsBackThroughQtsIconReader) {
    test::testApplication();
    QByteArray file = iconFile(twoImages);
    QBuffer buffer(&file);
    QImageReader reader(&buffer, "ico");
    ASSERT_EQ(reader.imageCount(), 2);
    const QImage small = reader.read();
    ASSERT_EQ(small.size(), QSize(8, 8)) << reader.errorString().toStdString();
    EXPECT_EQ(small.pixel(1, 0), qRgb(128, 0, 0));
    EXPECT_EQ(small.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(small.pixel(7, 1), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(small.pixel(0, 2)), 0);
    EXPECT_EQ(qAlpha(small.pixel(1, 2)), 255);
    EXPECT_EQ(qAlpha(small.pixel(7, 7)), 0);
    ASSERT_TRUE(reader.jumpToNextImage());
    const QImage large = reader.read();
    ASSERT_EQ(large.size(), QSize(16, 16));
    EXPECT_EQ(large.pixel(0, 15), qRgb(0, 0, 255));
    EXPECT_EQ(large.pixel(14, 0), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(large.pixel(15, 0)), 0);
}

// The directory has one byte for each side: 255 is the largest size it can hold.
TEST(IconFile, TakesSidesUpTo255) {
    const std::vector<std::uint8_t> indices(256 * 128, 0x00);
    const std::vector<std::uint8_t> mask(256 * 32, 0x00);
    const std::array<IconImage, 1> largest = {
        {{.size = 255, .colourIndices = indices, .transparencyMask = mask}}};
    EXPECT_EQ(static_cast<unsigned char>(iconFile(largest)[6]), 255);
    const std::array<IconImage, 1> tooLarge = {
        {{.size = 256, .colourIndices = indices, .transparencyMask = mask}}};
    EXPECT_THROW(iconFile(tooLarge), std::invalid_argument);
    const std::array<IconImage, 1> shortData = {
        {{.size = 16, .colourIndices = smallIndices, .transparencyMask = smallMask}}};
    EXPECT_THROW(iconFile(shortData), std::invalid_argument);
}

} // namespace
} // namespace dorvek::generators
