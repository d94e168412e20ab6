// Text stands where its recorded advances put it, and stretches with the picture.

#include "host/emf_format/emf_types.h"
#include "tests/support/picture_playing.h"
#include "tests/support/raw_records.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
using Writer = emf::MetafileWriter;

// An em of 11 pixels, as the picture's labels have.
void selectLabelFont(Writer& writer) {
    emf::LogFont font;
    font.height = -11;
    font.charSet = 162;
    font.faceName = u"Arial Tur";
    writer.createFont(1, font);
    writer.selectObject(1);
}

// EMR_SETTEXTALIGN, which MetafileWriter does not write.
void setTextAlign(Writer& writer, std::uint32_t align) {
    RawRecord(emf::RecordType::SetTextAlign, 12, {{8, align}})(writer);
}

// The text on a transparent background, anchored at reference by align (GDI's TA_
// bits): by default its cell's top-left corner at (2, 3).
std::vector<std::byte> textMetafile(std::u16string_view text,
                                    const std::vector<std::int32_t>& advances,
                                    emf::Point reference = {2, 3}, std::uint32_t align = 0) {
    return smallMetafile(
        [&](Writer& writer) {
            selectLabelFont(writer);
            writer.setBackgroundMode(emf::BackgroundMode::Transparent);
            setTextAlign(writer, align);
            writer.textOut(reference, text, advances, {2, 3, 40, 16}, 1);
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

// The background colour fills the cell, the text colour draws the glyphs.
TEST(TextPlacement, AnOpaqueBackgroundFillsTheCell) {
    const auto metafile = smallMetafile(
        [](Writer& writer) {
            selectLabelFont(writer);
            writer.setTextColour(rust);
            writer.setBackgroundColour(azure);
            writer.setBackgroundMode(emf::BackgroundMode::Opaque);
            const std::int32_t advances[] = {6, 6};
            writer.textOut({2, 3}, u"11", advances, {2, 3, 40, 16}, 1);
        },
        48, 20);
    const QImage image = play(metafile, QSize(48, 20));
    // Liberation Sans at an em of 11: ascent 10, descent 2.
    EXPECT_EQ(paintedPixels(image), pixelsOf(2, 3, 13, 14)) << drawing(image);
    const std::string drawn = drawing(image);
    const auto ink = std::ranges::count(drawn, 'r');
    EXPECT_GE(ink, 10) << drawn;
    EXPECT_EQ(ink + std::ranges::count(drawn, 'a'), 12 * 12) << drawn;
}

struct AlignmentCase {
    const char* name;
    std::uint32_t align;
    emf::Point reference;
    emf::Point topLeft; // where the cell's top-left corner lands
};

class TextAlignment : public testing::TestWithParam<AlignmentCase> {};

// "40" is 12 wide; an em of 11 has an ascent of 10 and a descent of 2.
TEST_P(TextAlignment, AnchorsTheCellAtTheReference) {
    const auto run = [](emf::Point reference, std::uint32_t align) {
        return drawing(play(textMetafile(u"40", {6, 6}, reference, align), QSize(48, 20)));
    };
    const std::string atTopLeft = run(GetParam().topLeft, 0);
    ASSERT_NE(atTopLeft.find('#'), std::string::npos) << atTopLeft;
    EXPECT_EQ(run(GetParam().reference, GetParam().align), atTopLeft);
}

INSTANTIATE_TEST_SUITE_P(Anchors, TextAlignment,
                         testing::Values(AlignmentCase{"Right", 0x02, {20, 3}, {8, 3}},
                                         AlignmentCase{"Centre", 0x06, {20, 3}, {14, 3}},
                                         AlignmentCase{"Baseline", 0x18, {2, 13}, {2, 3}},
                                         AlignmentCase{"Bottom", 0x08, {2, 15}, {2, 3}},
                                         AlignmentCase{"RightBottom", 0x0A, {14, 15}, {2, 3}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Updating the current position, each run starts where the last one ended, whatever
// its reference, and so does the line drawn next.
TEST(TextAlignment, UpdatingThePositionRunsOnFromTheLastRun) {
    const std::int32_t advance[] = {6};
    const auto updating = smallMetafile(
        [&](Writer& writer) {
            selectLabelFont(writer);
            writer.setBackgroundMode(emf::BackgroundMode::Transparent);
            setTextAlign(writer, 0x01);
            writer.moveTo({2, 3});
            writer.textOut({30, 9}, u"4", advance, {}, 1);
            writer.textOut({30, 9}, u"0", advance, {}, 1);
            writer.lineTo({14, 18});
        },
        48, 20);
    const auto placed = smallMetafile(
        [&](Writer& writer) {
            selectLabelFont(writer);
            writer.setBackgroundMode(emf::BackgroundMode::Transparent);
            const std::int32_t advances[] = {6, 6};
            writer.textOut({2, 3}, u"40", advances, {}, 1);
            writer.moveTo({14, 3});
            writer.lineTo({14, 18});
        },
        48, 20);
    EXPECT_EQ(drawing(play(updating, QSize(48, 20))), drawing(play(placed, QSize(48, 20))));
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
