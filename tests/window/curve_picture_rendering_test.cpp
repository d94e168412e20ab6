// The curve picture as the player renders it, checked pixel by pixel against the
// regions of the design: at its own size, 491 x 254, and in the window's frame.

#include "tests/support/curve_picture_reference.h"
#include "tests/support/picture_playing.h"
#include "window/curve_picture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace dorvek::window {
namespace {

using test::play;
namespace reference = test::curve_reference;

const QColor black = QColor::fromRgb(reference::black);
const QColor white = QColor::fromRgb(reference::white);
const QColor lightGrey = QColor::fromRgb(reference::lightGrey);
const QColor grey = QColor::fromRgb(reference::grey);
const QColor navy = QColor::fromRgb(reference::navy);
const QSize pictureSize(reference::width, reference::height);

bool isTick(int column) {
    return std::ranges::find(reference::tickColumns, column) != reference::tickColumns.end();
}

class CurvePictureAtItsOwnSize : public testing::Test {
protected:
    static void SetUpTestSuite() { image = new QImage(play(curvePicture(), pictureSize)); }
    static void TearDownTestSuite() { delete image; }

    static QColor at(int x, int y) { return image->pixelColor(x, y); }
    static std::string where(int x, int y) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
               (at(x, y).alpha() == 0 ? std::string("transparent") : at(x, y).name().toStdString());
    }

    static inline QImage* image = nullptr;
};

const reference::Box chart = reference::chartArea;
const reference::Box plot = reference::plotArea;

bool inside(const reference::Box& box, int x, int y) {
    return x >= box.left && x <= box.right && y >= box.top && y <= box.bottom;
}

TEST_F(CurvePictureAtItsOwnSize, PaintsTheChartAreaInItsOwnColoursAndNotTheMargin) {
    for (int y = 0; y < reference::height; ++y) {
        for (int x = 0; x < reference::width; ++x) {
            const QColor colour = at(x, y);
            if (!inside(chart, x, y)) {
                ASSERT_EQ(colour.alpha(), 0) << where(x, y);
            } else {
                ASSERT_TRUE(colour == black || colour == white || colour == lightGrey ||
                            colour == grey || colour == navy)
                    << where(x, y);
            }
        }
    }
}

TEST_F(CurvePictureAtItsOwnSize, ChartAreaIsWhiteWithABlackBorderOnItsOutermostPixels) {
    for (int x = chart.left; x <= chart.right; ++x) {
        EXPECT_EQ(at(x, chart.top), black) << where(x, chart.top);
        EXPECT_EQ(at(x, chart.bottom), black) << where(x, chart.bottom);
    }
    for (int x = chart.left + 1; x < chart.right; ++x) {
        const QColor belowTop = x < plot.left || x > plot.right     ? white
                                : x == plot.left || x == plot.right ? grey
                                                                    : lightGrey;
        EXPECT_EQ(at(x, chart.top + 1), belowTop) << where(x, chart.top + 1);
    }
    for (int y = chart.top; y <= chart.bottom; ++y) {
        EXPECT_EQ(at(chart.left, y), black) << where(chart.left, y);
        EXPECT_EQ(at(chart.right, y), black) << where(chart.right, y);
        if (y > chart.top && y < chart.bottom) {
            EXPECT_EQ(at(chart.left + 1, y), white) << where(chart.left + 1, y);
            EXPECT_EQ(at(chart.right - 1, y), white) << where(chart.right - 1, y);
        }
    }
}

// The plot area's border is grey on its outermost pixels, but its top row lies under
// the chart border, its bottom row under the axis line, and the curve's tails may
// paint its left and right columns.
TEST_F(CurvePictureAtItsOwnSize, PlotAreaIsLightGreyWithAGreyBorder) {
    int lightGreyPixels = 0;
    for (int y = plot.top + 1; y < plot.bottom; ++y) {
        EXPECT_TRUE(at(plot.left, y) == grey || (y == plot.bottom - 1 && at(plot.left, y) == navy))
            << where(plot.left, y);
        EXPECT_TRUE(at(plot.right, y) == grey || at(plot.right, y) == navy) << where(plot.right, y);
        for (int x = plot.left + 1; x < plot.right; ++x) {
            ASSERT_TRUE(at(x, y) == lightGrey || at(x, y) == navy) << where(x, y);
            lightGreyPixels += at(x, y) == lightGrey ? 1 : 0;
        }
    }
    EXPECT_GT(lightGreyPixels, 458 * 216 * 9 / 10);
}

TEST_F(CurvePictureAtItsOwnSize, AxisLineStopsOnePixelShortOfTheBordersRightColumn) {
    const int row = reference::axisRow;
    for (int x = plot.left; x < plot.right; ++x) {
        EXPECT_EQ(at(x, row), black) << where(x, row);
    }
    EXPECT_EQ(at(plot.right, row), grey) << where(plot.right, row);
    EXPECT_EQ(at(plot.left - 1, row), white) << where(plot.left - 1, row);
    EXPECT_EQ(at(plot.right + 1, row), white) << where(plot.right + 1, row);
}

// Below the axis only the ticks and the labels are drawn on the white.
TEST_F(CurvePictureAtItsOwnSize, BelowTheAxisOnlyTicksAndLabelsAreBlack) {
    for (int y = reference::axisRow + 1; y < chart.bottom; ++y) {
        for (int x = chart.left + 1; x < chart.right; ++x) {
            const bool tick = y <= reference::tickBottom && isTick(x);
            const bool inLabel =
                y >= reference::labelTop && y <= reference::labelBottom &&
                std::ranges::any_of(reference::labels, [x](const reference::Label& label) {
                    return x >= label.left && x < label.left + label.width;
                });
            if (y <= reference::tickBottom || !inLabel) {
                ASSERT_EQ(at(x, y), tick ? black : white) << where(x, y);
            } else {
                ASSERT_TRUE(at(x, y) == white || at(x, y) == black) << where(x, y);
            }
        }
    }
    for (const reference::Label& label : reference::labels) {
        int dark = 0;
        for (int y = reference::labelTop; y <= reference::labelBottom; ++y) {
            for (int x = label.left; x < label.left + label.width; ++x) {
                dark += at(x, y) == black ? 1 : 0;
            }
        }
        EXPECT_GE(dark, 15) << label.text;
    }
}

// The two-pixel pen covers the pixels around each vertex's corner; on the axis row,
// which the curve's clip leaves out, only the row above can show.
TEST_F(CurvePictureAtItsOwnSize, CurvePassesBesideEveryVertexInThePlotArea) {
    for (std::size_t i = 0; i < reference::curveColumns.size(); ++i) {
        const int column = reference::curveColumns[i];
        const int row = reference::curveRows[i];
        if (column < plot.left || column > plot.right) {
            continue;
        }
        bool found = false;
        for (int y = row - 1; y <= std::min(row, plot.bottom - 1); ++y) {
            for (int x = std::max(column - 1, plot.left); x <= column; ++x) {
                found = found || at(x, y) == navy;
            }
        }
        EXPECT_TRUE(found) << "no curve at (" << column << ", " << row << ")";
    }
    // The peak: row 17 is the curve's top.
    EXPECT_EQ(at(246, 17), navy);
    EXPECT_EQ(at(246, 16), lightGrey);
}

TEST_F(CurvePictureAtItsOwnSize, CurveStaysInsideItsClipAndSpansThePlotArea) {
    const reference::Box clip{plot.left, plot.top, plot.right, plot.bottom - 1};
    for (int y = 0; y < reference::height; ++y) {
        for (int x = 0; x < reference::width; ++x) {
            if (at(x, y) == navy) {
                ASSERT_TRUE(inside(clip, x, y)) << where(x, y);
            }
        }
    }
    for (int x = clip.left; x <= clip.right; ++x) {
        bool found = false;
        for (int y = clip.top; y <= clip.bottom && !found; ++y) {
            found = at(x, y) == navy;
        }
        EXPECT_TRUE(found) << "no curve in column " << x;
    }
}

// In the window at 96 dpi the picture's frame runs from (-16, -8) over 436 x 260.
QImage inWindow(double devicePixelRatio) {
    return play(curvePicture(), QSize(414, 245) * devicePixelRatio, devicePixelRatio,
                QRectF(-16, -8, 436, 260));
}

TEST(CurvePictureInTheWindow, ChartAreaCoversTheClientAreaToAllFourEdges) {
    for (double ratio : {1.0, 2.0}) {
        const QImage image = inWindow(ratio);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor colour = image.pixelColor(x, y);
                ASSERT_EQ(colour.alpha(), 255) << ratio << "x (" << x << ", " << y << ")";
                ASSERT_TRUE(colour == black || colour == white || colour == lightGrey ||
                            colour == grey || colour == navy)
                    << ratio << "x (" << x << ", " << y << ") " << colour.name().toStdString();
            }
        }
    }
}

// The bound boxes, 13 pixels high from row 200, stand just above the axis line.
TEST(CurvePictureInTheWindow, TheAxisRunsJustBelowTheBoundBoxes) {
    const QImage image = inWindow(1);
    int axisRow = -1;
    for (int y = 150; y < image.height() && axisRow < 0; ++y) {
        if (image.pixelColor(100, y) == black && image.pixelColor(300, y) == black) {
            axisRow = y;
        }
    }
    EXPECT_GT(axisRow, 212);
    EXPECT_LT(axisRow, 222);
    // Elements 0 and 1 span columns 16 to 48 and 352 to 384: inside the plot area.
    EXPECT_EQ(image.pixelColor(16, axisRow - 4), lightGrey);
    EXPECT_EQ(image.pixelColor(384, axisRow - 4), lightGrey);
}

// At twice the resolution the picture is drawn afresh, not magnified: the axis, a
// width-0 line, stays one device pixel thin, while width-1 borders become two.
TEST(CurvePictureAtTwiceTheResolution, IsDrawnAtTheDevicesResolution) {
    const QImage image = play(curvePicture(), pictureSize * 2, 2);
    for (int x = 32; x < 950; ++x) {
        ASSERT_EQ(image.pixelColor(x, 444), black) << x;
        // Below the axis, the second device row of the plot border's bottom row, but
        // where a tick starts: it runs up from device row 450 to 444, not painting 444.
        ASSERT_EQ(image.pixelColor(x, 445), x % 2 == 0 && isTick(x / 2) ? black : grey) << x;
    }
    for (int y = 12; y < 444; y += 7) {
        EXPECT_EQ(image.pixelColor(10, y), black) << y;
        EXPECT_EQ(image.pixelColor(11, y), black) << y;
        EXPECT_EQ(image.pixelColor(12, y), white) << y;
        EXPECT_EQ(image.pixelColor(32, y), grey) << y;
        EXPECT_EQ(image.pixelColor(33, y), grey) << y;
        EXPECT_NE(image.pixelColor(34, y), grey) << y;
    }
}

} // namespace
} // namespace dorvek::window
