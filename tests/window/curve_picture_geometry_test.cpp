// Where the curve's vertices and the tick labels fall, by the axis rule.

#include "window/curve_picture_description.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numeric>

namespace dorvek::window {
namespace {

namespace picture = curve_picture;

struct VertexCase {
    const char* name;
    double x;
    int column;
    int row;
};

class CurveVertex : public testing::TestWithParam<VertexCase> {};

TEST_P(CurveVertex, LiesWhereTheAxisRuleAndTheDensityPutIt) {
    const int vertex = static_cast<int>(std::lround(GetParam().x * 10 + 50));
    EXPECT_EQ(picture::curveAbscissa(vertex), GetParam().x);
    EXPECT_EQ(picture::curveVertex(vertex), (host::emf::Point{GetParam().column, GetParam().row}));
}

INSTANTIATE_TEST_SUITE_P(
    TellingVertices, CurveVertex,
    testing::Values(VertexCase{"Minus5", -5.0, -41, 222}, VertexCase{"Minus4", -4.0, 16, 222},
                    VertexCase{"Minus3_5", -3.5, 45, 222}, VertexCase{"Minus3_4", -3.4, 50, 221},
                    VertexCase{"Minus3", -3.0, 73, 220}, VertexCase{"Minus2", -2.0, 131, 194},
                    VertexCase{"Minus1", -1.0, 188, 98}, VertexCase{"Minus0_5", -0.5, 217, 42},
                    VertexCase{"Peak", 0.0, 246, 18}, VertexCase{"Plus1", 1.0, 303, 98},
                    VertexCase{"Plus2", 2.0, 360, 194}, VertexCase{"Plus3", 3.0, 418, 220},
                    VertexCase{"Plus4", 4.0, 475, 222}, VertexCase{"Plus5", 5.0, 532, 222}),
    [](const auto& info) { return std::string(info.param.name); });

// 16 + 57.375 * 4 is exactly 245.5: the peak and the tick for 0 share column 246
// only if x(50) is exactly 0, which summing 0.1 fifty times would miss.
TEST(CurveVertex, ThePeakSharesTheZeroTicksColumn) {
    EXPECT_EQ(picture::curveAbscissa(50), 0.0);
    EXPECT_EQ(picture::axisColumn(0), 246);
    EXPECT_EQ(picture::curveVertex(50).x, 246);
}

TEST(CurveVertex, RowsAreSymmetricAndTheTailsLieOutsideThePlotArea) {
    for (int vertex = 0; vertex < picture::curveVertices; ++vertex) {
        EXPECT_EQ(picture::curveVertex(vertex).y, picture::curveVertex(100 - vertex).y) << vertex;
    }
    EXPECT_EQ(picture::curveVertex(9).x, 10);
    EXPECT_EQ(picture::curveVertex(10).x, 16);
    EXPECT_EQ(picture::curveVertex(90).x, 475);
    EXPECT_EQ(picture::curveVertex(91).x, 481);
}

struct LabelCase {
    const char* name;
    int value;
    const char16_t* text;
    int tickColumn;
    int width;
    int left;
};

class TickLabel : public testing::TestWithParam<LabelCase> {};

TEST_P(TickLabel, IsCentredOnItsTick) {
    const LabelCase& label = GetParam();
    const std::u16string text = picture::tickLabel(label.value);
    EXPECT_EQ(text, label.text);
    EXPECT_EQ(picture::axisColumn(label.value), label.tickColumn);
    const int width = std::accumulate(text.begin(), text.end(), 0, [](int sum, char16_t c) {
        return sum + picture::labelAdvance(c);
    });
    EXPECT_EQ(width, label.width);
    EXPECT_EQ(label.tickColumn - width / 2, label.left);
}

INSTANTIATE_TEST_SUITE_P(NineLabels, TickLabel,
                         testing::Values(LabelCase{"Minus4", -4, u"-4,0", 16, 19, 7},
                                         LabelCase{"Minus3", -3, u"-3,0", 73, 19, 64},
                                         LabelCase{"Minus2", -2, u"-2,0", 131, 19, 122},
                                         LabelCase{"Minus1", -1, u"-1,0", 188, 19, 179},
                                         LabelCase{"Zero", 0, u"0,0", 246, 15, 239},
                                         LabelCase{"Plus1", 1, u"1,0", 303, 15, 296},
                                         LabelCase{"Plus2", 2, u"2,0", 360, 15, 353},
                                         LabelCase{"Plus3", 3, u"3,0", 418, 15, 411},
                                         LabelCase{"Plus4", 4, u"4,0", 475, 15, 468}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::window
