#include "generators/icon_files.h"
#include "host/runtime/program_description.h"
#include "tests/support/test_application.h"

#include <QImage>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <span>
#include <stdexcept>
#include <string>

namespace dorvek::generators {
namespace {

using host::IconOutline;
using host::IconPoint;

// A rectangle 16 units wide and 8 high on a 32-unit square, at x 8 to 24, y 4 to 12.
constexpr std::array<IconPoint, 4> rectangle = {{{8, 4}, {24, 4}, {24, 12}, {8, 12}}};

TEST(IconOutline, FillsItsAreaScaledToTheSizeInItsPaletteColour) {
    test::testApplication();
    const QImage image =
        iconImage(IconOutline{.side = 32, .points = rectangle, .colourIndex = 12}, 64);
    ASSERT_EQ(image.size(), QSize(64, 64));
    // Scaled by two: x 16 to 47 and y 8 to 23 are filled, edges on whole pixels.
    for (const QPoint inside : {QPoint(16, 8), QPoint(47, 8), QPoint(16, 23), QPoint(47, 23)}) {
        EXPECT_EQ(image.pixel(inside), qRgba(0, 0, 255, 255)) << inside.x() << "," << inside.y();
    }
    for (const QPoint outside : {QPoint(15, 8), QPoint(48, 8), QPoint(16, 7), QPoint(16, 24),
                                 QPoint(0, 0), QPoint(63, 63)}) {
        EXPECT_EQ(qAlpha(image.pixel(outside)), 0) << outside.x() << "," << outside.y();
    }
    int opaque = 0;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    EXPECT_EQ(opaque, 32 * 16);
}

TEST(IconOutline, SlantedEdgesAreSmoothed) {
    test::testApplication();
    constexpr std::array<IconPoint, 3> halfSquare = {{{0, 0}, {16, 0}, {0, 16}}};
    const QImage image = iconImage(IconOutline{.side = 16, .points = halfSquare}, 16);
    EXPECT_EQ(image.pixel(3, 3), qRgba(0, 0, 0, 255));
    EXPECT_EQ(qAlpha(image.pixel(12, 12)), 0);
    // The diagonal halves the pixels it crosses through their centres.
    for (const QPoint crossed : {QPoint(8, 7), QPoint(3, 12), QPoint(12, 3)}) {
        EXPECT_NEAR(qAlpha(image.pixel(crossed)), 128, 24) << crossed.x() << "," << crossed.y();
        EXPECT_EQ(qRed(image.pixel(crossed)), 0);
    }
}

// The rectangle at 64 pixels with a white edge 2 units wide: one unit, two pixels, of
// white outside the blue fill, opaque, and nothing beyond it; the fill is untouched.
TEST(IconOutline, EdgeIsABandOutsideTheFillInItsPaletteColour) {
    test::testApplication();
    const QImage image = iconImage(IconOutline{.side = 32, .points = rectangle, .colourIndex = 12},
                                   64, IconEdge{.colourIndex = 15, .width = 2});
    for (const QPoint inside : {QPoint(16, 8), QPoint(47, 8), QPoint(16, 23), QPoint(47, 23)}) {
        EXPECT_EQ(image.pixel(inside), qRgba(0, 0, 255, 255)) << inside.x() << "," << inside.y();
    }
    for (const QPoint band : {QPoint(15, 12), QPoint(14, 12), QPoint(48, 12), QPoint(49, 12),
                              QPoint(30, 7), QPoint(30, 6), QPoint(30, 24), QPoint(30, 25)}) {
        EXPECT_EQ(image.pixel(band), qRgba(255, 255, 255, 255)) << band.x() << "," << band.y();
    }
    for (const QPoint beyond :
         {QPoint(13, 12), QPoint(50, 12), QPoint(30, 5), QPoint(30, 26), QPoint(0, 0)}) {
        EXPECT_EQ(qAlpha(image.pixel(beyond)), 0) << beyond.x() << "," << beyond.y();
    }
    // Round at the corners: the pixel diagonally off a corner, its centre 2.1 pixels
    // from it, is mostly clear; a mitred corner would cover it whole.
    EXPECT_LT(qAlpha(image.pixel(14, 6)), 128);
}

TEST(IconOutline, EdgeOfNoWidthDrawsNothing) {
    test::testApplication();
    const IconOutline outline{.side = 32, .points = rectangle, .colourIndex = 12};
    EXPECT_EQ(iconImage(outline, 64, IconEdge{.colourIndex = 15, .width = 0}),
              iconImage(outline, 64));
}

struct EdgeLimit {
    const char* label;
    double width;
    std::uint8_t colourIndex;
    bool refused;
};

class IconEdgeLimitsTest : public ::testing::TestWithParam<EdgeLimit> {};

TEST_P(IconEdgeLimitsTest, RefusesEdgesOfNoWidthOrColour) {
    test::testApplication();
    const EdgeLimit& row = GetParam();
    const IconOutline outline{.side = 32, .points = rectangle};
    const IconEdge edge{.colourIndex = row.colourIndex, .width = row.width};
    if (row.refused) {
        EXPECT_THROW(iconImage(outline, 16, edge), std::invalid_argument);
        EXPECT_THROW(iconSvg(outline, edge), std::invalid_argument);
    } else {
        EXPECT_EQ(iconImage(outline, 16, edge).size(), QSize(16, 16));
        EXPECT_FALSE(iconSvg(outline, edge).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, IconEdgeLimitsTest,
                         ::testing::Values(EdgeLimit{"no_width", 0, 15, false},
                                           EdgeLimit{"negative_width", -0.5, 15, true},
                                           EdgeLimit{"not_a_number_width", std::nan(""), 15, true},
                                           EdgeLimit{"last_palette_colour", 1, 15, false},
                                           EdgeLimit{"past_the_palette", 1, 16, true}),
                         [](const auto& info) { return std::string(info.param.label); });

struct OutlineLimit {
    const char* label;
    double side;
    std::size_t points;
    std::uint8_t colourIndex;
    int size;
    bool refused;
};

class IconOutlineLimitsTest : public ::testing::TestWithParam<OutlineLimit> {};

TEST_P(IconOutlineLimitsTest, RefusesOutlinesWithNoAreaOrColour) {
    test::testApplication();
    const OutlineLimit& row = GetParam();
    const IconOutline outline{.side = row.side,
                              .points = std::span(rectangle).first(row.points),
                              .colourIndex = row.colourIndex};
    if (row.refused) {
        EXPECT_THROW(iconImage(outline, row.size), std::invalid_argument);
        if (row.size > 0) {
            EXPECT_THROW(iconSvg(outline), std::invalid_argument);
        }
    } else {
        EXPECT_EQ(iconImage(outline, row.size).size(), QSize(row.size, row.size));
        EXPECT_FALSE(iconSvg(outline).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, IconOutlineLimitsTest,
    ::testing::Values(OutlineLimit{"three_points", 32, 3, 0, 16, false},
                      OutlineLimit{"two_points", 32, 2, 0, 16, true},
                      OutlineLimit{"last_palette_colour", 32, 4, 15, 16, false},
                      OutlineLimit{"past_the_palette", 32, 4, 16, 16, true},
                      OutlineLimit{"no_side", 0, 4, 0, 16, true},
                      OutlineLimit{"not_a_number_side", std::nan(""), 4, 0, 16, true},
                      OutlineLimit{"one_pixel", 32, 4, 0, 1, false},
                      OutlineLimit{"no_pixels", 32, 4, 0, 0, true}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(IconOutline, SvgIsOnePathOnTheOutlinesSquare) {
    constexpr std::array<IconPoint, 3> triangle = {{{1.5, 2}, {30, 2.25}, {16, 31}}};
    EXPECT_EQ(iconSvg(IconOutline{.side = 32, .points = triangle, .colourIndex = 9}).toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
              "viewBox=\"0 0 32 32\">\n"
              "  <path d=\"M1.5 2 L30 2.25 L16 31 Z\" fill=\"#ff0000\"/>\n"
              "</svg>\n");
}

// The edge is the same path again, beneath, filled and stroked in its colour with
// round joins; SVG would stroke a path over its own fill.
TEST(IconOutline, SvgEdgeIsTheSamePathStrokedBeneath) {
    constexpr std::array<IconPoint, 3> triangle = {{{1.5, 2}, {30, 2.25}, {16, 31}}};
    EXPECT_EQ(iconSvg(IconOutline{.side = 32, .points = triangle, .colourIndex = 0},
                      IconEdge{.colourIndex = 15, .width = 1.5})
                  .toStdString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" "
              "viewBox=\"0 0 32 32\">\n"
              "  <path d=\"M1.5 2 L30 2.25 L16 31 Z\" fill=\"#ffffff\" stroke=\"#ffffff\" "
              "stroke-width=\"1.5\" stroke-linejoin=\"round\"/>\n"
              "  <path d=\"M1.5 2 L30 2.25 L16 31 Z\" fill=\"#000000\"/>\n"
              "</svg>\n");
}

} // namespace
} // namespace dorvek::generators
