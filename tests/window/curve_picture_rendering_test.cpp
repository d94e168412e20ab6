// The curve picture as the player renders it, checked pixel by pixel against the
// regions of the design: at its own size, 491 x 254, and in the window's frame.

#include "tests/support/picture_playing.h"
#include "window/curve_picture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace dorvek::window {
namespace {

using test::play;

const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
const QColor lightGrey(192, 192, 192);
const QColor grey(128, 128, 128);
const QColor navy(0, 0, 128);
const int tickColumns[] = {16, 73, 131, 188, 246, 303, 360, 418, 475};

struct LabelCell {
    const char* text;
    int left;
    int width;
};
const LabelCell labelCells[] = {{"-4,0", 7, 19},   {"-3,0", 64, 19}, {"-2,0", 122, 19},
                                {"-1,0", 179, 19}, {"0,0", 239, 15}, {"1,0", 296, 15},
                                {"2,0", 353, 15},  {"3,0", 411, 15}, {"4,0", 468, 15}};

bool isTick(int column) {
    return std::find(std::begin(tickColumns), std::end(tickColumns), column) !=
           std::end(tickColumns);
}

class CurvePictureAtItsOwnSize : public testing::Test {
protected:
    static void SetUpTestSuite() { image = new QImage(play(curvePicture(), QSize(491, 254))); }
    static void TearDownTestSuite() { delete image; }

    static QColor at(int x, int y) { return image->pixelColor(x, y); }
    static std::string where(int x, int y) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
               (at(x, y).alpha() == 0 ? std::string("transparent") : at(x, y).name().toStdString());
    }

    static inline QImage* image = nullptr;
};

TEST_F(CurvePictureAtItsOwnSize, LeavesTheFrameMarginUntouched) {
    for (int y = 0; y < 254; ++y) {
        for (int x = 0; x < 491; ++x) {
            const bool margin = x < 5 || x > 484 || y < 5 || y > 248;
            if (margin) {
                ASSERT_EQ(at(x, y).alpha(), 0) << where(x, y);
            } else {
                ASSERT_EQ(at(x, y).alpha(), 255) << where(x, y);
            }
        }
    }
}

TEST_F(CurvePictureAtItsOwnSize, UsesOnlyItsOwnColours) {
    for (int y = 5; y < 249; ++y) {
        for (int x = 5; x < 485; ++x) {
            const QColor colour = at(x, y);
            ASSERT_TRUE(colour == black || colour == white || colour == lightGrey ||
                        colour == grey || colour == navy)
                << where(x, y);
        }
    }
}

TEST_F(CurvePictureAtItsOwnSize, ChartAreaIsWhiteWithABlackBorderOnItsOutermostPixels) {
    for (int x = 5; x <= 484; ++x) {
        EXPECT_EQ(at(x, 5), black) << where(x, 5);
        EXPECT_EQ(at(x, 248), black) << where(x, 248);
    }
    for (int x = 6; x <= 483; ++x) {
        const QColor belowTop = x < 16 || x > 475 ? white : x == 16 || x == 475 ? grey : lightGrey;
        EXPECT_EQ(at(x, 6), belowTop) << where(x, 6);
    }
    for (int y = 5; y <= 248; ++y) {
        EXPECT_EQ(at(5, y), black) << where(5, y);
        EXPECT_EQ(at(484, y), black) << where(484, y);
        if (y > 5 && y < 248) {
            EXPECT_EQ(at(6, y), white) << where(6, y);
            EXPECT_EQ(at(483, y), white) << where(483, y);
        }
    }
    // Below the ticks only the labels are drawn on the white.
    for (int y = 226; y <= 247; ++y) {
        for (int x = 6; x <= 483; ++x) {
            ASSERT_TRUE(at(x, y) == white || at(x, y) == black) << where(x, y);
        }
    }
}

// The plot area's border is grey on its outermost pixels, but its top row lies under
// the chart border, its bottom row under the axis line, and the curve's tails may
// paint its left and right columns.
TEST_F(CurvePictureAtItsOwnSize, PlotAreaIsLightGreyWithAGreyBorder) {
    for (int y = 6; y <= 221; ++y) {
        EXPECT_TRUE(at(16, y) == grey || (y == 221 && at(16, y) == navy)) << where(16, y);
        EXPECT_TRUE(at(475, y) == grey || at(475, y) == navy) << where(475, y);
        for (int x = 17; x <= 474; ++x) {
            ASSERT_TRUE(at(x, y) == lightGrey || at(x, y) == navy) << where(x, y);
        }
    }
    int lightGreyPixels = 0;
    for (int y = 6; y <= 221; ++y) {
        for (int x = 17; x <= 474; ++x) {
            lightGreyPixels += at(x, y) == lightGrey ? 1 : 0;
        }
    }
    EXPECT_GT(lightGreyPixels, 458 * 216 * 9 / 10);
}

TEST_F(CurvePictureAtItsOwnSize, AxisLineStopsOnePixelShortOfTheBordersRightColumn) {
    for (int x = 16; x <= 474; ++x) {
        EXPECT_EQ(at(x, 222), black) << where(x, 222);
    }
    EXPECT_EQ(at(475, 222), grey) << where(475, 222);
    EXPECT_EQ(at(15, 222), white) << where(15, 222);
    EXPECT_EQ(at(476, 222), white) << where(476, 222);
}

TEST_F(CurvePictureAtItsOwnSize, NineTicksReachThreeRowsBelowTheAxis) {
    for (int y = 223; y <= 225; ++y) {
        for (int x = 6; x <= 483; ++x) {
            EXPECT_EQ(at(x, y), isTick(x) ? black : white) << where(x, y);
        }
    }
}

TEST_F(CurvePictureAtItsOwnSize, CurvePassesBesideEachTellingVertex) {
    struct Vertex {
        int column;
        int row;
    };
    const Vertex vertices[] = {{16, 222}, {45, 222}, {50, 221}, {73, 220},  {131, 194}, {188, 98},
                               {217, 42}, {246, 18}, {303, 98}, {360, 194}, {418, 220}, {475, 222}};
    for (const Vertex& vertex : vertices) {
        // The two-pixel pen covers the pixels around the vertex's corner; on the axis
        // row only the row above can show.
        bool found = false;
        for (int y = vertex.row - 1; y <= std::min(vertex.row, 221); ++y) {
            for (int x = std::max(vertex.column - 1, 16); x <= vertex.column; ++x) {
                found = found || at(x, y) == navy;
            }
        }
        EXPECT_TRUE(found) << "no curve at (" << vertex.column << ", " << vertex.row << ")";
    }
    // The peak: row 17 is the curve's top.
    EXPECT_EQ(at(246, 17), navy);
    EXPECT_EQ(at(246, 16), lightGrey);
}

TEST_F(CurvePictureAtItsOwnSize, CurveStaysInsideItsClipAndSpansThePlotArea) {
    for (int y = 0; y < 254; ++y) {
        for (int x = 0; x < 491; ++x) {
            if (at(x, y) == navy) {
                ASSERT_TRUE(x >= 16 && x <= 475 && y >= 5 && y <= 221) << where(x, y);
            }
        }
    }
    for (int x = 16; x <= 475; ++x) {
        bool found = false;
        for (int y = 5; y <= 221 && !found; ++y) {
            found = at(x, y) == navy;
        }
        EXPECT_TRUE(found) << "no curve in column " << x;
    }
}

TEST_F(CurvePictureAtItsOwnSize, LabelsDarkPixelsStayInsideTheirCells) {
    for (const LabelCell& cell : labelCells) {
        int dark = 0;
        for (int y = 231; y <= 244; ++y) {
            for (int x = cell.left; x < cell.left + cell.width; ++x) {
                dark += at(x, y) == black ? 1 : 0;
            }
        }
        EXPECT_GE(dark, 15) << cell.text;
    }
    for (int y = 226; y <= 247; ++y) {
        for (int x = 6; x <= 483; ++x) {
            if (at(x, y) != black) {
                continue;
            }
            const bool inCell = y >= 231 && y <= 244 &&
                                std::any_of(std::begin(labelCells), std::end(labelCells),
                                            [x](const LabelCell& cell) {
                                                return x >= cell.left && x < cell.left + cell.width;
                                            });
            ASSERT_TRUE(inCell) << where(x, y);
        }
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
    const QImage image = play(curvePicture(), QSize(982, 508), 2);
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
