// Where the curve's vertices and the tick labels fall, by the axis rule.

#include "tests/support/curve_picture_reference.h"
#include "window/curve_picture_description.h"

#include <QString>
#include <gtest/gtest.h>
#include <numeric>

namespace dorvek::window {
namespace {

namespace picture = curve_picture;
namespace reference = test::curve_reference;

TEST(CurveVertex, EachLiesWhereTheAxisRuleAndTheDensityPutIt) {
    ASSERT_EQ(picture::curveVertices, 101);
    for (int vertex = 0; vertex < picture::curveVertices; ++vertex) {
        const auto index = static_cast<std::size_t>(vertex);
        EXPECT_EQ(
            picture::curveVertex(vertex),
            (host::emf_format::Point{reference::curveColumns[index], reference::curveRows[index]}))
            << "vertex " << vertex << ", x = " << picture::curveAbscissa(vertex);
    }
}

// 16 + 57.375 * 4 is exactly 245.5: the peak and the tick for 0 share column 246
// only if x(50) is exactly 0, which summing 0.1 fifty times would miss.
TEST(CurveVertex, ThePeakSharesTheZeroTicksColumn) {
    EXPECT_EQ(picture::curveAbscissa(50), 0.0);
    EXPECT_EQ(picture::curveAbscissa(16), -3.4);
    EXPECT_EQ(picture::axisColumn(0), 246);
    EXPECT_EQ(picture::curveVertex(50).x, 246);
}

TEST(TickLabel, IsItsValueWithADecimalCommaCentredOnItsTick) {
    EXPECT_EQ(picture::firstTick, -4);
    EXPECT_EQ(picture::lastTick, 4);
    for (std::size_t index = 0; index < reference::labels.size(); ++index) {
        const int value = static_cast<int>(index) - 4;
        const reference::Label& label = reference::labels[index];
        SCOPED_TRACE(label.text);
        const std::u16string text = picture::tickLabel(value);
        EXPECT_EQ(QString::fromStdU16String(text).toStdString(), label.text);
        const int tick = picture::axisColumn(value);
        EXPECT_EQ(tick, reference::tickColumns[index]);
        const int width = std::accumulate(text.begin(), text.end(), 0, [](int sum, char16_t c) {
            return sum + picture::labelAdvance(c);
        });
        EXPECT_EQ(width, label.width);
        EXPECT_EQ(tick - width / 2, label.left);
    }
}

} // namespace
} // namespace dorvek::window
