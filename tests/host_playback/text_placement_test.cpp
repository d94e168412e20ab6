// Text stands where its recorded advances put it, and stretches with the picture.

#include "host/emf_format/emf_types.h"
#include "tests/support/picture_playing.h"

#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;

// The text with an em of 11 pixels, its cell's top-left corner at (2, 3).
std::vector<std::byte> textMetafile(std::u16string_view text,
                                    const std::vector<std::int32_t>& advances,
                                    emf::BackgroundMode mode = emf::BackgroundMode::Transparent) {
    return smallMetafile(
        [&](emf::MetafileWriter& writer) {
            emf::LogFont font;
            font.height = -11;
            font.charSet = 162;
            font.faceName = u"Arial Tur";
            writer.createFont(1, font);
            writer.selectObject(1);
            writer.setBackgroundMode(mode);
            writer.textOut({2, 3}, text, advances, {2, 3, 40, 16}, 1);
        },
        48, 20);
}

// The smallest rectangle holding everything painted.
QRect inkBox(const QImage& image) {
    QRect box;
    for (const Pixel& pixel : paintedPixels(image)) {
        box = box.united(QRect(pixel.first, pixel.second, 1, 1));
    }
    return box;
}

TEST(TextPlacement, EachGlyphStandsInTheCellItsAdvancesGiveIt) {
    const std::vector<std::int32_t> advances{12, 9, 12};
    const QImage image = play(textMetafile(u"404", advances), QSize(48, 20));
    int left = 2;
    for (std::size_t glyph = 0; glyph < advances.size(); ++glyph) {
        QImage cell = image.copy();
        for (int y = 0; y < cell.height(); ++y) {
            for (int x = 0; x < cell.width(); ++x) {
                if (x < left || x >= left + advances[glyph]) {
                    cell.setPixelColor(x, y, Qt::transparent);
                }
            }
        }
        EXPECT_FALSE(paintedPixels(cell).empty()) << "glyph " << glyph << "\n" << drawing(image);
        left += advances[glyph];
    }
    const QRect ink = inkBox(image);
    EXPECT_GE(ink.left(), 2);
    EXPECT_LT(ink.right(), 2 + 12 + 9 + 12);
    // An em of 11 with the cell's top at row 3: digits stand on the baseline, row 13.
    EXPECT_GE(ink.top(), 3);
    EXPECT_EQ(ink.bottom(), 12);
}

TEST(TextPlacement, AnOpaqueBackgroundFillsTheCell) {
    const QImage image =
        play(textMetafile(u"11", {6, 6}, emf::BackgroundMode::Opaque), QSize(48, 20));
    // Liberation Sans at an em of 11: ascent 10, descent 2.
    EXPECT_EQ(paintedPixels(image), pixelsOf(2, 3, 13, 14)) << drawing(image);
}

// How a glyph's stems snap to whole pixels changes with the scale and with the
// FreeType version, so sizes are compared loosely: stretched, the glyph stays inside
// its stretched cell, grows clearly along the stretch and keeps its size across it.
TEST(TextPlacement, StretchesWithThePicture) {
    const auto metafile = textMetafile(u"0", {6});
    const QRect plain = inkBox(play(metafile, QSize(48, 20)));
    struct Stretch {
        const char* name;
        int horizontal;
        int vertical;
    };
    for (const Stretch stretch :
         {Stretch{"plain", 1, 1}, Stretch{"wide", 2, 1}, Stretch{"tall", 1, 2}}) {
        const QImage image = play(metafile, QSize(48 * stretch.horizontal, 20 * stretch.vertical));
        const QRect ink = inkBox(image);
        // The cell from (2, 3): its advance wide and, at an em of 11, ascent 10 plus
        // descent 2 tall; a pixel's margin for the antialiased edge.
        const QRect cell(2 * stretch.horizontal - 1, 3 * stretch.vertical - 1,
                         6 * stretch.horizontal + 2, 12 * stretch.vertical + 2);
        EXPECT_TRUE(cell.contains(ink))
            << stretch.name << ": ink " << ink.left() << "," << ink.top() << " " << ink.width()
            << "x" << ink.height() << "\n"
            << drawing(image);
        // Along the stretch the glyph grows by half at least; across it, it keeps its size.
        const auto grows = [](int stretched, int original) {
            return 2 * stretched >= 3 * original;
        };
        if (stretch.horizontal == 2) {
            EXPECT_TRUE(grows(ink.width(), plain.width())) << ink.width() << " " << plain.width();
            EXPECT_NEAR(ink.height(), plain.height(), 1);
        }
        if (stretch.vertical == 2) {
            EXPECT_TRUE(grows(ink.height(), plain.height()))
                << ink.height() << " " << plain.height();
            EXPECT_NEAR(ink.width(), plain.width(), 1);
        }
    }
}

} // namespace
} // namespace dorvek::test
