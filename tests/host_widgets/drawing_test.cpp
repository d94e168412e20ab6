#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"
#include "host/widgets/image_control.h"
#include "host/widgets/shape_control.h"
#include "tests/support/hatch_lines.h"
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
    std::vector<QPoint> lines = {}; // the ways a hatch's lines run
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
    if (!GetParam().lines.empty()) {
        EXPECT_TRUE(test::formsLinesAlong(image, shapeColour, GetParam().lines));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ShapeFillTest,
    ::testing::Values(ShapeFill{"solid", 0, 1.0, 1.0}, ShapeFill{"transparent", 1, 0.0, 0.0},
                      ShapeFill{"horizontal_lines", 2, 0.1, 0.2, {{1, 0}}},
                      ShapeFill{"vertical_lines", 3, 0.1, 0.2, {{0, 1}}},
                      ShapeFill{"upward_diagonals", 4, 0.1, 0.2, {{1, -1}}},
                      ShapeFill{"downward_diagonals", 5, 0.1, 0.2, {{1, 1}}},
                      ShapeFill{"cross", 6, 0.2, 0.3, {{1, 0}, {0, 1}}},
                      ShapeFill{"diagonal_cross", 7, 0.2, 0.3, {{1, 1}, {1, -1}}},
                      ShapeFill{"unknown_fills_nothing", 42, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.label); });

// A picture that is not a metafile is the program's fault: said once, never drawn.
TEST(ImageControl, LeavesAMalformedPictureOutAndSaysSoOnce) {
    test::testApplication();
    static int warnings = 0;
    warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext&, const QString& message) {
            warnings +=
                type == QtWarningMsg && message.contains(u"481 Resim bozuk olduğu için çizilemedi.")
                    ? 1
                    : 0;
        });
    const std::byte notAMetafile[] = {std::byte{1}, std::byte{2}, std::byte{3}, std::byte{4}};
    ImageControl image(notAMetafile, nullptr);
    image.resize(20, 10);
    for (int paint = 0; paint < 2; ++paint) {
        QImage painted(image.size(), QImage::Format_ARGB32);
        painted.fill(Qt::transparent);
        image.render(&painted, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_EQ(painted.pixel(10, 5), qRgba(0, 0, 0, 0)) << "paint " << paint;
    }
    qInstallMessageHandler(previous);
    EXPECT_EQ(warnings, 1);
}

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
