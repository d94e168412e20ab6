#include "generators/icon_files.h"
#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"
#include "tests/support/test_application.h"
#include "window/form1_icon.h"

#include <QImage>
#include <QPoint>
#include <algorithm>
#include <gtest/gtest.h>

namespace dorvek::window {
namespace {

bool opaque(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) >= 128;
}

// The outline is the 32-pixel tick traced: drawn at 32 pixels, its opaque pixels and
// the hand-set image's are nearly the same set, and all of them black.
TEST(Form1IconOutline, TracesTheThirtyTwoPixelImage) {
    test::testApplication();
    const auto images = form1Icon();
    const auto drawn = std::ranges::find(images, 32, &host::IconImage::size);
    ASSERT_NE(drawn, images.end());
    const QImage handSet = host::iconImage(*drawn);
    const QImage traced = generators::iconImage(form1IconOutline(), 32);
    int both = 0;
    int either = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            both += opaque(handSet, x, y) && opaque(traced, x, y) ? 1 : 0;
            either += opaque(handSet, x, y) || opaque(traced, x, y) ? 1 : 0;
            EXPECT_EQ(qRed(traced.pixel(x, y)) + qGreen(traced.pixel(x, y)) +
                          qBlue(traced.pixel(x, y)),
                      0)
                << x << "," << y;
        }
    }
    ASSERT_GT(either, 0);
    EXPECT_GE(static_cast<double>(both) / either, 0.9) << both << " of " << either;
}

// At the largest theme size the tick keeps its shape: the tip thin at the top right,
// the joint of the arms low in the middle, the corners clear.
TEST(Form1IconOutline, KeepsItsShapeAtTheLargestSize) {
    test::testApplication();
    const QImage large = generators::iconImage(form1IconOutline(), 256);
    EXPECT_TRUE(opaque(large, 236, 28));  // the tip, (29.5, 3.5) on the 32 grid
    EXPECT_TRUE(opaque(large, 120, 210)); // the joint, (15, 26.25)
    EXPECT_TRUE(opaque(large, 36, 144));  // the short arm's end, (4.5, 18)
    EXPECT_FALSE(opaque(large, 128, 96)); // in the opening of the V, (16, 12)
    for (const QPoint corner : {QPoint(0, 0), QPoint(255, 0), QPoint(0, 255), QPoint(255, 255)}) {
        EXPECT_FALSE(opaque(large, corner.x(), corner.y())) << corner.x() << "," << corner.y();
    }
}

} // namespace
} // namespace dorvek::window
