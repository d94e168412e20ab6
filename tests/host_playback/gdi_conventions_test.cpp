// The player draws with the conventions of the Windows graphics device interface.
// Each case plays a small metafile whose logical unit is one pixel at 1x.

#include "host/emf_format/emf_types.h"
#include "tests/support/hatch_lines.h"
#include "tests/support/picture_playing.h"
#include "tests/support/raw_records.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
using Writer = emf::MetafileWriter;

void selectPen(Writer& writer, std::int32_t width, emf::ColourRef colour = emf::rgb(0, 0, 0)) {
    writer.createPen(1, emf::PenStyle::Solid, width, colour);
    writer.selectObject(1);
}

void selectBrush(Writer& writer, emf::ColourRef colour) {
    writer.createBrush(2, emf::BrushStyle::Solid, colour);
    writer.selectObject(2);
}

struct LineCase {
    const char* name;
    emf::Point from;
    emf::Point to;
    std::set<Pixel> painted;
};

class ThinLine : public testing::TestWithParam<LineCase> {};

TEST_P(ThinLine, PaintsItsStartButNotItsEnd) {
    const LineCase& line = GetParam();
    const auto metafile = smallMetafile(
        [&](Writer& writer) {
            selectPen(writer, 0);
            writer.moveTo(line.from);
            writer.lineTo(line.to);
        },
        8, 8);
    const QImage image = play(metafile, QSize(8, 8));
    EXPECT_EQ(paintedPixels(image), line.painted) << drawing(image);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ThinLine,
    testing::Values(LineCase{"rightward", {1, 1}, {5, 1}, pixelsOf(1, 1, 4, 1)},
                    LineCase{"leftward", {5, 1}, {1, 1}, pixelsOf(2, 1, 5, 1)},
                    LineCase{"downward", {1, 1}, {1, 5}, pixelsOf(1, 1, 1, 4)},
                    LineCase{"upward", {1, 5}, {1, 1}, pixelsOf(1, 2, 1, 5)},
                    LineCase{"diagonal", {1, 1}, {5, 5}, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}},
                    LineCase{"steep", {6, 6}, {5, 2}, {{6, 6}, {6, 5}, {5, 4}, {5, 3}}},
                    LineCase{"no length", {3, 3}, {3, 3}, {}}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), ' ', '_');
        return name;
    });

// At a device-pixel ratio of 2 one picture pixel is two device pixels across.
TEST(PenWidth, ZeroIsOneDevicePixelAndOneIsOnePicturePixel) {
    const auto line = [](std::int32_t width) {
        return smallMetafile(
            [=](Writer& writer) {
                selectPen(writer, width);
                writer.moveTo({1, 1});
                writer.lineTo({4, 1});
            },
            6, 3);
    };
    EXPECT_EQ(paintedPixels(play(line(0), QSize(12, 6), 2)), pixelsOf(2, 2, 7, 2));
    EXPECT_EQ(paintedPixels(play(line(1), QSize(12, 6), 2)), pixelsOf(2, 2, 7, 3));
    EXPECT_EQ(paintedPixels(play(line(1), QSize(6, 3), 1)), pixelsOf(1, 1, 3, 1));
}

const emf::Point square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};

void selectStock(Writer& writer, emf::StockObject object) {
    writer.selectObject(emf::stockHandle(object));
}

// A rectangle covers its left and top edges, its border on its outermost pixels, in
// the pen's colour around the brush's.
void rectangleWithABorder(Writer& writer) {
    selectPen(writer, 1, rust);
    selectBrush(writer, azure);
    writer.rectangle({1, 1, 6, 5});
}

// A polygon fills without its right and bottom edges, and outlines them all.
void polygonFilled(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    selectBrush(writer, azure);
    writer.polygon16(square);
}

void polygonOutlined(Writer& writer) {
    selectPen(writer, 0, rust);
    selectBrush(writer, azure);
    writer.polygon16(square);
}

// A -To poly record, which MetafileWriter does not write: bounds, count, then the
// points from offset 28, of 16 or 32 bits each coordinate.
void polylineTo(Writer& writer, std::initializer_list<emf::Point> points, std::size_t bytes) {
    RawRecord record(bytes == 2 ? emf::RecordType::PolylineTo16 : emf::RecordType::PolylineTo,
                     28 + 2 * bytes * points.size(), {{24, std::ssize(points)}});
    std::size_t at = 28;
    for (const emf::Point& point : points) {
        record.at({at, point.x, bytes}).at({at + bytes, point.y, bytes});
        at += 2 * bytes;
    }
    record(writer);
}

// Each line record but Polyline moves the current position to its last point.
void linesToAndFro(Writer& writer) {
    selectPen(writer, 0);
    writer.moveTo({1, 1});
    polylineTo(writer, {{5, 1}, {5, 3}}, 2);
    writer.lineTo({1, 3});
    polylineTo(writer, {{1, 5}}, 4);
    writer.lineTo({4, 5});
}

void polylineLeavesThePosition(Writer& writer) {
    selectPen(writer, 0);
    writer.moveTo({1, 3});
    const emf::Point line[] = {{1, 1}, {5, 1}};
    writer.polyline16(line);
    writer.lineTo({5, 3});
}

// A restore brings back the pen and the position of the save it names; one that
// names more saves than there are, or none, changes nothing.
void restoresTwoLevelsAtOnce(Writer& writer) {
    selectPen(writer, 0);
    writer.createPen(3, emf::PenStyle::Solid, 0, rust);
    writer.createPen(4, emf::PenStyle::Solid, 0, azure);
    writer.moveTo({0, 0});
    writer.saveState();
    writer.selectObject(3);
    writer.moveTo({0, 2});
    writer.saveState();
    writer.selectObject(4);
    writer.moveTo({0, 4});
    writer.restoreState(-2);
    writer.lineTo({4, 0});
    writer.saveState();
    writer.selectObject(3);
    writer.restoreState(-2);
    writer.lineTo({4, 3});
    writer.restoreState(1);
    writer.lineTo({1, 3});
    writer.restoreState(-1);
    writer.lineTo({0, 2});
}

// Excluding takes out the rectangle without its right and bottom edges.
void clipWithAHole(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    selectStock(writer, emf::StockObject::BlackBrush);
    RawRecord(emf::RecordType::ExcludeClipRect, 24, {{8, 2}, {12, 1}, {16, 5}, {20, 3}})(writer);
    writer.rectangle({0, 0, 7, 4});
}

// One line of a solid black pen.
std::function<void(Writer&)> line(std::int32_t width, emf::Point from, emf::Point to) {
    return [=](Writer& writer) {
        selectPen(writer, width);
        writer.moveTo(from);
        writer.lineTo(to);
    };
}

// Two squares, one inside the other, wound the same way and joined along x = 2.
void squareInASquare(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    selectBrush(writer, azure);
    const emf::Point path[] = {{2, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0}, {2, 0},
                               {2, 2}, {4, 2}, {4, 4}, {2, 4}, {2, 2}};
    writer.polygon16(path);
}

void windingSquareInASquare(Writer& writer) {
    RawRecord(emf::RecordType::SetPolygonFillMode, 12, {{8, 2}})(writer);
    squareInASquare(writer);
}

void halfOfTheFrame(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    selectStock(writer, emf::StockObject::BlackBrush);
    writer.rectangle({0, 0, 2, 4});
}

// A clip leaves out its right and bottom edges until the state is restored.
void clipUntilRestored(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    writer.saveState();
    writer.intersectClip({2, 1, 5, 3});
    selectStock(writer, emf::StockObject::BlackBrush);
    writer.rectangle({0, 0, 8, 8});
    writer.restoreState();
    writer.rectangle({0, 4, 8, 5}); // white, the default brush, and unclipped
}

void clipNarrowedTwice(Writer& writer) {
    selectStock(writer, emf::StockObject::NullPen);
    selectStock(writer, emf::StockObject::BlackBrush);
    writer.intersectClip({1, 0, 6, 3});
    writer.intersectClip({3, 1, 8, 8});
    writer.rectangle({0, 0, 8, 8});
}

// A width-2 pen paints the row above its line and its own; its round ends reach one
// pixel past either end, and two segments meet without a notch.
void widthTwoCorner(Writer& writer) {
    selectPen(writer, 2);
    const emf::Point corner[] = {{2, 2}, {6, 2}, {6, 6}};
    writer.polyline16(corner);
}

// A small picture, one pixel a logical unit, played at its own size or into the
// destination given, and how GDI draws it: a text row an image row, '.' where nothing
// is painted, '#' black, 'o' white, 'r' rust and 'a' azure.
struct PictureCase {
    const char* name;
    std::function<void(Writer&)> draw;
    QSize size;
    std::vector<std::string> rows;
    std::optional<QRectF> destination = std::nullopt;
};

std::string picture(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) {
        text += row + "\n";
    }
    return text;
}

class GdiPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(GdiPicture, IsDrawnAsGdiDrawsIt) {
    const PictureCase& row = GetParam();
    const auto metafile = smallMetafile(row.draw, row.size.width(), row.size.height());
    EXPECT_EQ(drawing(play(metafile, row.size, 1, row.destination)), picture(row.rows));
}

const std::vector<std::string> outlinedSquare = {"........", ".rrrrr..", ".raaar..",
                                                 ".raaar..", ".rrrrr..", "........"};
const std::vector<std::string> filledSquare = {"........", ".aaaa...", ".aaaa...",
                                               ".aaaa...", "........", "........"};
const std::vector<std::string> clippedThenNot = {"........", "..###...", "..###...",
                                                 "........", "oooooooo", "........"};
const std::vector<std::string> corner = {".........", ".######..", ".######..", ".....##..",
                                         ".....##..", ".....##..", ".....##..", "........."};

INSTANTIATE_TEST_SUITE_P(
    Shapes, GdiPicture,
    testing::Values(
        PictureCase{"RectangleWithABorder", rectangleWithABorder, {8, 6}, outlinedSquare},
        PictureCase{"PolygonFilled", polygonFilled, {8, 6}, filledSquare},
        PictureCase{"PolygonOutlined", polygonOutlined, {8, 6}, outlinedSquare},
        PictureCase{"AlternateFillLeavesTheInnerSquareOut",
                    squareInASquare,
                    {7, 7},
                    {"aaaaaa.", "aaaaaa.", "aa..aa.", "aa..aa.", "aaaaaa.", "aaaaaa.", "......."}},
        PictureCase{"WindingFillFillsIt",
                    windingSquareInASquare,
                    {7, 7},
                    {"aaaaaa.", "aaaaaa.", "aaaaaa.", "aaaaaa.", "aaaaaa.", "aaaaaa.", "......."}},
        PictureCase{"ClipUntilRestored", clipUntilRestored, {8, 6}, clippedThenNot},
        PictureCase{"ClipNarrowsWithEachIntersection",
                    clipNarrowedTwice,
                    {8, 4},
                    {"........", "...###..", "...###..", "........"}},
        PictureCase{"ClipWithAHole",
                    clipWithAHole,
                    {8, 5},
                    {"#######.", "##...##.", "##...##.", "#######.", "........"}},
        PictureCase{"WidthTwoPenHasRoundEndsAndJoins", widthTwoCorner, {9, 8}, corner},
        PictureCase{"WidthThreePenIsCentredOnItsPixels",
                    line(3, {2, 3}, {6, 3}),
                    {9, 7},
                    {".........", ".........", ".#######.", ".#######.", ".#######.", ".........",
                     "........."}},
        PictureCase{
            "LineRecordsMoveThePosition",
            linesToAndFro,
            {8, 7},
            {"........", ".#####..", ".....#..", ".#####..", ".#......", ".###....", "........"}},
        PictureCase{"PolylineLeavesThePosition",
                    polylineLeavesThePosition,
                    {8, 5},
                    {"........", ".####...", "........", ".####...", "........"}},
        PictureCase{"RestoreGoesBackTheLevelsItNames",
                    restoresTwoLevelsAtOnce,
                    {6, 5},
                    {"#####.", "..##r.", ".#..r.", "..rrr.", "......"}},
        // Device positions round to the nearest pixel, halves upward, on either side of 0.
        PictureCase{"HalfPixelPositionsRoundUp",
                    halfOfTheFrame,
                    {4, 4},
                    {"....", ".##.", ".##.", ".##."},
                    QRectF(0.5, 0.5, 4, 4)},
        PictureCase{"PositionsLeftOfTheDeviceRoundToTheNearest",
                    line(0, {0, 0}, {4, 2}),
                    {4, 3},
                    {"....", "##..", "..#."},
                    QRectF(-0.6, 0, 4, 3)},
        PictureCase{"HalfPixelPositionsLeftOfTheDeviceRoundUp",
                    line(0, {0, 0}, {2, 2}),
                    {4, 3},
                    {"#...", ".#..", "...."},
                    QRectF(-0.5, 0, 4, 3)}),
    [](const auto& info) { return std::string(info.param.name); });

struct HatchCase {
    const char* name;
    std::uint32_t hatch;
    std::vector<QPoint> lines;
};

class HatchedBrush : public testing::TestWithParam<HatchCase> {};

// GDI's hatches, 0 to 5: horizontal, vertical, downward (forward) and upward
// (backward) diagonals, a cross and a diagonal cross, in the brush's colour.
TEST_P(HatchedBrush, DrawsLinesTheWayOfItsHatch) {
    auto metafile = smallMetafile(
        [](Writer& writer) {
            selectStock(writer, emf::StockObject::NullPen);
            RawRecord(emf::RecordType::CreateBrush, 24,
                      {{8, 2}, {12, 2}, {16, 0x00C04000}, {20, GetParam().hatch}})(writer);
            writer.selectObject(2);
            writer.rectangle({0, 0, 20, 20});
        },
        20, 20);
    // Slots 0 to 2: the raw record does not tell the writer which slot it uses.
    putLittleEndian(std::span(metafile), header_offset::handles, std::uint16_t{3});
    const QImage image = play(metafile, QSize(20, 20));
    EXPECT_TRUE(formsLinesAlong(image, qRgb(0, 64, 192), GetParam().lines)) << drawing(image);
}

INSTANTIATE_TEST_SUITE_P(Hatches, HatchedBrush,
                         testing::Values(HatchCase{"Horizontal", 0, {{1, 0}}},
                                         HatchCase{"Vertical", 1, {{0, 1}}},
                                         HatchCase{"Downward", 2, {{1, 1}}},
                                         HatchCase{"Upward", 3, {{1, -1}}},
                                         HatchCase{"Cross", 4, {{1, 0}, {0, 1}}},
                                         HatchCase{"DiagonalCross", 5, {{1, 1}, {1, -1}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Destination, TheFrameFillsItWidthAndHeightScaledApart) {
    const auto metafile = smallMetafile(
        [](Writer& writer) {
            selectStock(writer, emf::StockObject::NullPen);
            selectStock(writer, emf::StockObject::BlackBrush);
            writer.rectangle({0, 0, 2, 4}); // the left half of the frame
        },
        4, 4);
    EXPECT_EQ(drawing(play(metafile, QSize(10, 4), 1, QRectF(1, 1, 8, 2))),
              picture({"..........", ".####.....", ".####.....", ".........."}));
}

TEST(Destination, FollowsThePaintersTransformAndLeavesItsStateAsItWas) {
    const auto metafile = smallMetafile(
        [](Writer& writer) {
            selectPen(writer, 0);
            writer.intersectClip({0, 0, 1, 1});
            writer.moveTo({0, 0});
            writer.lineTo({2, 0});
        },
        2, 2);
    testApplication();
    QImage image(4, 4, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(1, 2);
    const QPen pen(Qt::red, 3);
    painter.setPen(pen);
    host::playback::playMetafile(painter, metafile, QRectF(0, 0, 2, 2));
    EXPECT_EQ(painter.worldTransform(), QTransform::fromTranslate(1, 2));
    EXPECT_EQ(painter.pen(), pen);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    EXPECT_EQ(paintedPixels(image), (std::set<Pixel>{{1, 2}}));
}

TEST(Destination, WithoutAreaDrawsNothing) {
    const auto metafile = smallMetafile([](Writer& writer) {
        writer.selectObject(emf::stockHandle(emf::StockObject::BlackBrush));
        writer.rectangle({0, 0, 20, 20});
    });
    EXPECT_TRUE(paintedPixels(play(metafile, QSize(4, 4), 1, QRectF(1, 1, 0, 3))).empty());
}

TEST(Records, OnesThePlayerDoesNotKnowAreSkipped) {
    const auto metafile = smallMetafile(
        [](Writer& writer) {
            selectPen(writer, 0);
            const std::byte body[8] = {};
            writer.record(static_cast<emf::RecordType>(250), body);
            writer.record(emf::RecordType::ExtSelectClipRegion, body);
            writer.moveTo({0, 0});
            writer.lineTo({3, 0});
        },
        4, 1);
    EXPECT_EQ(paintedPixels(play(metafile, QSize(4, 1))), pixelsOf(0, 0, 2, 0));
}

// Only the chosen colours appear: nothing is smoothed, not even text.
TEST(Records, NothingIsAntiAliased) {
    const auto metafile = smallMetafile(
        [](Writer& writer) {
            selectPen(writer, 2, emf::rgb(0, 0, 128));
            writer.moveTo({2, 3});
            writer.lineTo({30, 17});
            emf::LogFont font;
            font.height = -14;
            font.faceName = u"Arial";
            writer.createFont(3, font);
            writer.selectObject(3);
            writer.setBackgroundMode(emf::BackgroundMode::Transparent);
            const std::int32_t advances[] = {8, 8, 8};
            writer.textOut({4, 18}, u"8,0", advances, {4, 18, 27, 32}, 1);
        },
        40, 40);
    const QImage image = play(metafile, QSize(60, 60), 1);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() != 0) {
                ASSERT_TRUE(colour == QColor(0, 0, 128) || colour == QColor(0, 0, 0))
                    << x << "," << y << " " << colour.name().toStdString();
            }
        }
    }
}

} // namespace
} // namespace dorvek::test
