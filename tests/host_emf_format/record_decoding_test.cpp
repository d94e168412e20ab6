// Pens, brushes, fonts, stock objects, text and coordinates as the parser decodes them
// for the player: one record each, written raw at the offsets MS-EMF gives.

#include "host/emf_format/emf_plus_comment.h"
#include "host/emf_format/metafile_parser.h"
#include "tests/support/picture_playing.h"
#include "tests/support/raw_records.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <variant>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
using Draw = std::function<void(emf::MetafileWriter&)>;

constexpr std::uint32_t colour = 0x00030201; // COLORREF 0x00BBGGRR: red 1, green 2, blue 3

using emf::RecordType;

// EMR_EXTCREATEPEN: slot; then, after the bitmap's offsets and sizes, the LOGPEN_EX's
// style, width, brush style and colour.
Draw extendedPen(std::uint32_t style, std::uint32_t width, emf::BrushStyle brushStyle) {
    return RawRecord(
        RecordType::CreateExtendedPen, 52,
        {{8, 1}, {28, style}, {32, width}, {36, static_cast<int>(brushStyle)}, {40, colour}});
}

// EMR_CREATEBRUSHINDIRECT: slot, then the LOGBRUSH's style, colour and hatch.
Draw brush(emf::BrushStyle style, std::uint32_t hatch) {
    return RawRecord(RecordType::CreateBrush, 24,
                     {{8, 1}, {12, static_cast<int>(style)}, {16, colour}, {20, hatch}});
}

// EMR_CREATEPEN: slot, then the LOGPEN's style, width (a point of which x counts) and
// colour.
Draw pen(emf::PenStyle style, std::int32_t width) {
    return RawRecord(RecordType::CreatePen, 28,
                     {{8, 1}, {12, static_cast<int>(style)}, {16, width}, {24, colour}});
}

Draw stock(emf::StockObject object) {
    return [=](emf::MetafileWriter& writer) {
        writer.selectObject(emf::stockHandle(object));
    };
}

// The metafile that draw makes, with a table of two slots: raw records do not tell
// the writer which slots they use.
std::vector<std::byte> metafileOf(const Draw& draw) {
    std::vector<std::byte> bytes = smallMetafile(draw);
    putLittleEndian(std::span(bytes), header_offset::handles, std::uint16_t{2});
    return bytes;
}

// Its last record.
emf::Record decoded(const Draw& draw) {
    emf::ParsedMetafile parsed = emf::parseMetafile(metafileOf(draw));
    EXPECT_FALSE(parsed.records.empty());
    return parsed.records.empty() ? emf::Record{} : std::move(parsed.records.back());
}

std::string hex(emf::ColourRef colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string describe(const emf::Pen& pen) {
    return pen.visible ? "pen " + std::to_string(pen.width) + " " + hex(pen.colour) : "null pen";
}

std::string describe(const emf::Brush& brush) {
    switch (brush.style) {
    case emf::Brush::Style::Solid:
        return "brush " + hex(brush.colour);
    case emf::Brush::Style::Null:
        return "null brush";
    case emf::Brush::Style::Hatched:
        break;
    }
    return "brush " + hex(brush.colour) + " hatch " + std::to_string(static_cast<int>(brush.hatch));
}

// The pen or brush a record creates or selects, or what else it is.
std::string objectOf(const emf::Record& record) {
    return std::visit(
        [](const auto& typed) -> std::string {
            if constexpr (requires { typed.pen; }) {
                return describe(typed.pen);
            } else if constexpr (requires { typed.brush; }) {
                return describe(typed.brush);
            } else {
                return "another record";
            }
        },
        record);
}

struct ObjectCase {
    const char* name;
    Draw draw;
    const char* expected;
};

void PrintTo(const ObjectCase& row, std::ostream* out) {
    *out << row.name;
}

class DecodedObject : public testing::TestWithParam<ObjectCase> {};

TEST_P(DecodedObject, IsDrawnWithWhatItsRecordSays) {
    EXPECT_EQ(objectOf(decoded(GetParam().draw)), GetParam().expected);
}

constexpr std::uint32_t geometric = 0x00010000;
using emf::BrushStyle;
using emf::PenStyle;
using emf::StockObject;

// The hatches count horizontal, vertical, forward and backward diagonal, cross and
// diagonal cross from 0. The stock objects are GDI's.
const ObjectCase objects[] = {
    {"SolidPen", pen(PenStyle::Solid, 3), "pen 3 010203"},
    {"NullStylePen", pen(PenStyle::Null, 3), "null pen"},
    {"NegativeWidth", pen(PenStyle::Solid, -4), "pen 4 010203"},
    {"WidthBeyondTheLimit", pen(PenStyle::Solid, INT32_MIN), "pen 1073741824 010203"},
    {"ExtendedGeometricPen", extendedPen(geometric, 5, BrushStyle::Solid), "pen 5 010203"},
    // A cosmetic pen is one device pixel whatever its width.
    {"ExtendedCosmeticPen", extendedPen(0, 5, BrushStyle::Solid), "pen 0 010203"},
    {"ExtendedPenWithANullBrush", extendedPen(geometric, 5, BrushStyle::Null), "null pen"},
    {"ExtendedPenOfTheNullStyle", extendedPen(geometric | 5, 5, BrushStyle::Solid), "null pen"},
    {"SolidBrush", brush(BrushStyle::Solid, 3), "brush 010203"},
    {"NullBrush", brush(BrushStyle::Null, 0), "null brush"},
    {"HatchedBrush", brush(BrushStyle::Hatched, 3), "brush 010203 hatch 3"},
    {"UnknownHatchCrossesDiagonally", brush(BrushStyle::Hatched, 9), "brush 010203 hatch 5"},
    {"StockWhitePen", stock(StockObject::WhitePen), "pen 0 ffffff"},
    {"StockBlackPen", stock(StockObject::BlackPen), "pen 0 000000"},
    {"StockNullPen", stock(StockObject::NullPen), "null pen"},
    {"StockDcPen", stock(StockObject::DcPen), "pen 0 000000"},
    {"StockWhiteBrush", stock(StockObject::WhiteBrush), "brush ffffff"},
    {"StockLightGreyBrush", stock(StockObject::LightGreyBrush), "brush c0c0c0"},
    {"StockGreyBrush", stock(StockObject::GreyBrush), "brush 808080"},
    {"StockDarkGreyBrush", stock(StockObject::DarkGreyBrush), "brush 404040"},
    {"StockBlackBrush", stock(StockObject::BlackBrush), "brush 000000"},
    {"StockNullBrush", stock(StockObject::NullBrush), "null brush"},
    {"StockDcBrush", stock(StockObject::DcBrush), "brush ffffff"},
};

INSTANTIATE_TEST_SUITE_P(PensAndBrushes, DecodedObject, testing::ValuesIn(objects),
                         [](const auto& info) { return std::string(info.param.name); });

// LOGFONTW from offset 12: height, width, escapement, orientation and weight, then a
// byte each for italic, underline, strike-out, character set, output precision, clip
// precision, quality and pitch-and-family, then 32 UTF-16 units of face name.
TEST(DecodedRecords, AFontsFieldsAreReadFromTheirOffsets) {
    RawRecord font(RecordType::CreateFont, 368,
                   {{8, 1},
                    {12, -11},
                    {16, 5},
                    {20, 900},
                    {24, 1800},
                    {28, 700},
                    {32, 1, 1},
                    {33, 0, 1},
                    {34, 1, 1},
                    {35, 162, 1},
                    {36, 3, 1},
                    {37, 2, 1},
                    {38, 4, 1},
                    {39, 0x22, 1}});
    const std::u16string_view face = u"Arial Tur";
    for (std::size_t i = 0; i < face.size(); ++i) {
        font.at({40 + 2 * i, face[i], 2});
    }
    const emf::Record record = decoded(font);
    const emf::LogFont expected{.height = -11,
                                .width = 5,
                                .escapement = 900,
                                .orientation = 1800,
                                .weight = 700,
                                .italic = 1,
                                .underline = 0,
                                .strikeOut = 1,
                                .charSet = 162,
                                .outPrecision = 3,
                                .clipPrecision = 2,
                                .quality = 4,
                                .pitchAndFamily = 0x22,
                                .faceName = u"Arial Tur"};
    ASSERT_TRUE(std::holds_alternative<emf::record::CreateFont>(record));
    EXPECT_EQ(std::get<emf::record::CreateFont>(record).font, expected);
}

// Without a rectangle (ETO_NO_RECT) the advances' offset moves up to offset 56 and the
// fixed part ends at 60.
TEST(DecodedRecords, TextWithoutARectangleFindsItsAdvances) {
    const emf::Record record = decoded(RawRecord(RecordType::TextOut, 72,
                                                 {{36, 2},
                                                  {40, 3},
                                                  {44, 2},
                                                  {48, 60},
                                                  {52, 0x100},
                                                  {56, 64},
                                                  {60, u'4', 2},
                                                  {62, u'2', 2},
                                                  {64, 7},
                                                  {68, 5}}));
    ASSERT_TRUE(std::holds_alternative<emf::record::TextOut>(record));
    const auto& text = std::get<emf::record::TextOut>(record);
    EXPECT_EQ(text.reference, (emf::Point{2, 3}));
    EXPECT_EQ(text.text, u"42");
    EXPECT_EQ(text.advances, (std::vector<std::int32_t>{7, 5}));
    EXPECT_EQ(text.options, 0x100U);
}

// Every coordinate a record carries, in order.
std::vector<std::int32_t> coordinatesOf(const emf::Record& record) {
    std::vector<std::int32_t> all;
    const auto point = [&all](emf::Point p) {
        all.insert(all.end(), {p.x, p.y});
    };
    const auto rect = [&all](emf::Rect r) {
        all.insert(all.end(), {r.left, r.top, r.right, r.bottom});
    };
    std::visit(
        [&](const auto& typed) {
            if constexpr (requires { typed.point; }) {
                point(typed.point);
            } else if constexpr (requires { typed.rect; }) {
                rect(typed.rect);
            } else if constexpr (requires { typed.box; }) {
                rect(typed.box);
            } else if constexpr (requires { typed.points; }) {
                std::ranges::for_each(typed.points, point);
            } else if constexpr (requires { typed.reference; }) {
                point(typed.reference);
                rect(typed.rectangle);
            }
        },
        record);
    return all;
}

constexpr std::int32_t beyond = INT32_MAX;
constexpr std::int32_t limit = 1 << 30;

Draw farPoint(RecordType type) {
    return RawRecord(type, 16, {{8, beyond}, {12, -beyond - 1}});
}
Draw farRect(RecordType type) {
    return RawRecord(type, 24, {{8, -beyond - 1}, {12, -beyond}, {16, beyond}, {20, beyond}});
}
// A 32-bit poly record of two points: bounds, count, then the points from offset 28.
Draw farPoints(RecordType type) {
    return RawRecord(type, 44, {{24, 2}, {28, -beyond - 1}, {32, 3}, {36, beyond}, {40, 4}});
}
// One character, opaque, its reference and its rectangle far off.
Draw farText() {
    return RawRecord(RecordType::TextOut, 84,
                     {{36, beyond},
                      {40, -beyond - 1},
                      {44, 1},
                      {48, 76},
                      {52, 0x02},
                      {56, -beyond - 1},
                      {60, -beyond - 1},
                      {64, beyond},
                      {68, beyond},
                      {72, 80},
                      {76, u'8', 2},
                      {80, 6}});
}

struct FarCase {
    const char* name;
    Draw draw;
    std::vector<std::int32_t> expected;
};

void PrintTo(const FarCase& row, std::ostream* out) {
    *out << row.name;
}

class FarCoordinates : public testing::TestWithParam<FarCase> {};

// Every coordinate past 2^30 is clamped, so no sum or difference the player forms can
// overflow; drawn with each kind of pen, it paints within the image or not at all.
TEST_P(FarCoordinates, AreClampedAndDrawnWithoutOverflow) {
    EXPECT_EQ(coordinatesOf(decoded(GetParam().draw)), GetParam().expected);
    for (const std::int32_t width : {0, 1, 3}) {
        const auto metafile = metafileOf([&](emf::MetafileWriter& writer) {
            writer.createPen(1, emf::PenStyle::Solid, width, emf::rgb(0, 0, 0));
            writer.selectObject(1);
            writer.selectObject(emf::stockHandle(emf::StockObject::BlackBrush));
            GetParam().draw(writer);
        });
        play(metafile, QSize(20, 20));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, FarCoordinates,
    testing::Values(
        FarCase{"MoveTo", farPoint(RecordType::MoveTo), {limit, -limit}},
        FarCase{"LineTo", farPoint(RecordType::LineTo), {limit, -limit}},
        FarCase{"Rectangle", farRect(RecordType::Rectangle), {-limit, -limit, limit, limit}},
        FarCase{"IntersectClip",
                farRect(RecordType::IntersectClipRect),
                {-limit, -limit, limit, limit}},
        FarCase{
            "ExcludeClip", farRect(RecordType::ExcludeClipRect), {-limit, -limit, limit, limit}},
        FarCase{"Polygon", farPoints(RecordType::Polygon), {-limit, 3, limit, 4}},
        FarCase{"Polyline", farPoints(RecordType::Polyline), {-limit, 3, limit, 4}},
        FarCase{"PolylineTo", farPoints(RecordType::PolylineTo), {-limit, 3, limit, 4}},
        FarCase{"Text", farText(), {limit, -limit, -limit, -limit, limit, limit}}),
    [](const auto& info) { return std::string(info.param.name); });

// MS-EMFPLUS: the signature "EMF+", then each record's type, flags, size and data
// size as 16, 16, 32 and 32 bits. The smoothing mode takes the flags' bits above the
// anti-alias bit.
TEST(EmfPlusComment, LaysOutItsRecordsAsMsEmfPlusDoes) {
    const std::vector<std::byte> data =
        emf::EmfPlusComment()
            .setAntiAliasMode(emf::plus::AntiAliasing::On, emf::plus::SmoothingMode::AntiAlias)
            .data();
    const std::uint8_t expected[] = {0x45, 0x4D, 0x46, 0x2B, 0x1E, 0x40, 0x09, 0x00,
                                     0x0C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
    EXPECT_TRUE(std::ranges::equal(data, std::as_bytes(std::span(expected))));
}

// What changes nothing drawn is checked and left out: the palette, an unknown
// background mode, a stock object's deletion.
TEST(DecodedRecords, ThoseThatDrawNothingAreLeftOut) {
    const std::vector<std::byte> bytes = smallMetafile([](emf::MetafileWriter& writer) {
        writer.selectPalette(emf::stockHandle(emf::StockObject::DefaultPalette));
        writer.setRasterOperation(emf::copyPen);
        writer.deleteObject(emf::stockHandle(emf::StockObject::BlackPen));
        RawRecord(RecordType::SetBackgroundMode, 12, {{8, 7}})(writer);
        writer.comment(std::as_bytes(std::span(u"note")));
    });
    EXPECT_TRUE(emf::parseMetafile(bytes).records.empty());
}

} // namespace
} // namespace dorvek::test
