#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"
#include "host/widgets/shape_control.h"
#include "tests/support/test_application.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <stdexcept>

namespace dorvek::host {
namespace {

constexpr QRgb shapeColour = qRgb(0, 192, 192);

QImage renderShape(int style) {
    ShapeControl shape({.colour = Colour::rgb(0, 192, 192), .style = style}, nullptr);
    shape.resize(33, 60);
    QImage image(shape.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    shape.render(&image);
    return image;
}

// The share of the pixels inside the outline that carry the shape's colour.
double filledShare(const QImage& image) {
    int filled = 0;
    int all = 0;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 1; x < image.width() - 1; ++x) {
            ++all;
            filled += image.pixel(x, y) == shapeColour ? 1 : 0;
        }
    }
    return static_cast<double>(filled) / all;
}

struct ShapeFill {
    const char* label;
    int style;
    double leastShare;
    double mostShare;
};

class ShapeFillTest : public ::testing::TestWithParam<ShapeFill> {
protected:
    void SetUp() override { test::testApplication(); }
};

TEST_P(ShapeFillTest, OutlineAndFillTakeTheShapesColour) {
    const QImage image = renderShape(GetParam().style);
    for (const QPoint corner : {QPoint(0, 0), QPoint(32, 0), QPoint(0, 59), QPoint(32, 59)}) {
        EXPECT_EQ(image.pixel(corner), shapeColour) << corner.x() << "," << corner.y();
    }
    const double share = filledShare(image);
    EXPECT_GE(share, GetParam().leastShare);
    EXPECT_LE(share, GetParam().mostShare);
}

INSTANTIATE_TEST_SUITE_P(Styles, ShapeFillTest,
                         ::testing::Values(ShapeFill{"solid", 0, 1.0, 1.0},
                                           ShapeFill{"transparent", 1, 0.0, 0.0},
                                           ShapeFill{"diagonal_cross", 7, 0.15, 0.6},
                                           ShapeFill{"unknown_fills_nothing", 42, 0.0, 0.0}),
                         [](const auto& info) { return std::string(info.param.label); });

// An 8 x 8 image: row 0 holds the indices 0 to 7, row 1 the indices 8 to 15, the
// rest white; the mask clears all but the first pixel of row 2 and the last of row 7.
constexpr std::array<std::uint8_t, 32> indices = {
    0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
};
constexpr std::array<std::uint8_t, 8> mask = {0x00, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x01};

TEST(IconImage, IndicesAreReadHighNibbleFirstIntoTheStandardPalette) {
    test::testApplication();
    const QImage image = iconImage({.size = 8, .colourIndices = indices, .transparencyMask = mask});
    ASSERT_EQ(image.size(), QSize(8, 8));
    const std::array<QRgb, 16> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
    };
    for (int index = 0; index < 16; ++index) {
        EXPECT_EQ(image.pixel(index % 8, index / 8), palette[static_cast<std::size_t>(index)])
            << "index " << index;
    }
}

TEST(IconImage, MaskBitsMakePixelsTransparentHighBitFirst) {
    test::testApplication();
    const QImage image = iconImage({.size = 8, .colourIndices = indices, .transparencyMask = mask});
    EXPECT_EQ(qAlpha(image.pixel(0, 2)), 0);
    EXPECT_EQ(qAlpha(image.pixel(1, 2)), 255);
    EXPECT_EQ(qAlpha(image.pixel(7, 7)), 0);
    EXPECT_EQ(qAlpha(image.pixel(6, 7)), 255);
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 255);
}

TEST(IconImage, DataShorterThanTheSizeIsRefused) {
    test::testApplication();
    EXPECT_THROW(iconImage({.size = 16, .colourIndices = indices, .transparencyMask = mask}),
                 std::invalid_argument);
}

} // namespace
} // namespace dorvek::host
