// Pens, brushes, stock objects and coordinates as the parser decodes them for the
// player: one record each, written raw where the writer has no method for it.

#include "host/emf_format/metafile_parser.h"
#include "little_endian.h"
#include "record_layouts.h"
#include "tests/support/picture_playing.h"

#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
namespace layout = emf::layout;
using Draw = std::function<void(emf::MetafileWriter&)>;

constexpr emf::ColourRef colour = emf::rgb(1, 2, 3);

// A record's body, after its type and size, built field by field.
class RawRecord {
public:
    explicit RawRecord(std::size_t fixedSize) : body_(fixedSize - layout::prefixSize) {}

    template <class T>
    RawRecord& set(layout::Field<T> field, T value) {
        emf::store(body_.data() + field.offset - layout::prefixSize, value);
        return *this;
    }
    std::span<const std::byte> body() const { return body_; }

private:
    std::vector<std::byte> body_;
};

Draw extendedPen(std::uint32_t style, std::uint32_t width, emf::BrushStyle brushStyle) {
    namespace fields = layout::create_extended_pen;
    return [=](emf::MetafileWriter& writer) {
        const RawRecord record =
            RawRecord(fields::fixedSize)
                .set(layout::slot, 1U)
                .set(fields::style, style)
                .set(fields::width, width)
                .set(fields::brushStyle, static_cast<std::uint32_t>(brushStyle))
                .set(fields::colour, colour);
        writer.record(emf::RecordType::CreateExtendedPen, record.body());
    };
}

Draw brush(emf::BrushStyle style, std::uint32_t hatch) {
    namespace fields = layout::create_brush;
    return [=](emf::MetafileWriter& writer) {
        const RawRecord record = RawRecord(fields::fixedSize)
                                     .set(layout::slot, 1U)
                                     .set(fields::style, static_cast<std::uint32_t>(style))
                                     .set(fields::colour, colour)
                                     .set(fields::hatch, hatch);
        writer.record(emf::RecordType::CreateBrush, record.body());
    };
}

Draw pen(emf::PenStyle style, std::int32_t width) {
    return [=](emf::MetafileWriter& writer) {
        writer.createPen(1, style, width, colour);
    };
}

Draw stock(emf::StockObject object) {
    return [=](emf::MetafileWriter& writer) {
        writer.selectObject(emf::stockHandle(object));
    };
}

// The last record of a metafile that draw makes, with a table of two slots: raw
// records do not tell the writer which slots they use.
emf::Record decoded(const Draw& draw) {
    std::vector<std::byte> bytes = smallMetafile(draw);
    emf::store(bytes.data() + layout::header::handles.offset, std::uint16_t{2});
    emf::ParsedMetafile parsed = emf::parseMetafile(bytes);
    EXPECT_FALSE(parsed.records.empty());
    return parsed.records.empty() ? emf::Record{} : std::move(parsed.records.back());
}

struct PenCase {
    const char* name;
    Draw draw;
    emf::Pen expected;
};

void PrintTo(const PenCase& row, std::ostream* out) {
    *out << row.name;
}

class DecodedPen : public testing::TestWithParam<PenCase> {};

TEST_P(DecodedPen, IsDrawnAsItsStyleWidthAndBrushSay) {
    const emf::Record record = decoded(GetParam().draw);
    if (const auto* created = std::get_if<emf::record::CreatePen>(&record)) {
        EXPECT_EQ(created->pen, GetParam().expected);
    } else {
        EXPECT_EQ(std::get<emf::record::SelectStockPen>(record).pen, GetParam().expected);
    }
}

constexpr std::uint32_t geometric = 0x00010000;

INSTANTIATE_TEST_SUITE_P(
    Pens, DecodedPen,
    testing::Values(
        PenCase{"Solid", pen(emf::PenStyle::Solid, 3), {true, 3, colour}},
        PenCase{"NullStyle", pen(emf::PenStyle::Null, 3), {false, 3, colour}},
        PenCase{"NegativeWidth", pen(emf::PenStyle::Solid, -4), {true, 4, colour}},
        PenCase{"WidthBeyondTheLimit",
                pen(emf::PenStyle::Solid, INT32_MIN),
                {true, emf::coordinateLimit, colour}},
        PenCase{"ExtendedGeometric",
                extendedPen(geometric, 5, emf::BrushStyle::Solid),
                {true, 5, colour}},
        PenCase{"ExtendedCosmeticIsOneDevicePixel",
                extendedPen(0, 5, emf::BrushStyle::Solid),
                {true, 0, colour}},
        PenCase{"ExtendedWithANullBrush",
                extendedPen(geometric, 5, emf::BrushStyle::Null),
                {false, 5, colour}},
        PenCase{"StockNull", stock(emf::StockObject::NullPen), {false, 0, emf::rgb(0, 0, 0)}},
        PenCase{
            "StockWhite", stock(emf::StockObject::WhitePen), {true, 0, emf::rgb(255, 255, 255)}}),
    [](const auto& info) { return std::string(info.param.name); });

struct BrushCase {
    const char* name;
    Draw draw;
    emf::Brush expected;
};

void PrintTo(const BrushCase& row, std::ostream* out) {
    *out << row.name;
}

class DecodedBrush : public testing::TestWithParam<BrushCase> {};

TEST_P(DecodedBrush, TakesItsStyleColourAndHatch) {
    const emf::Record record = decoded(GetParam().draw);
    if (const auto* created = std::get_if<emf::record::CreateBrush>(&record)) {
        EXPECT_EQ(created->brush, GetParam().expected);
    } else {
        EXPECT_EQ(std::get<emf::record::SelectStockBrush>(record).brush, GetParam().expected);
    }
}

using Style = emf::Brush::Style;
using emf::Hatch;

INSTANTIATE_TEST_SUITE_P(
    Brushes, DecodedBrush,
    testing::Values(BrushCase{"Solid",
                              brush(emf::BrushStyle::Solid, 3),
                              {Style::Solid, colour, Hatch::Horizontal}},
                    BrushCase{"Null",
                              brush(emf::BrushStyle::Null, 0),
                              {Style::Null, colour, Hatch::Horizontal}},
                    BrushCase{"Hatched",
                              brush(emf::BrushStyle::Hatched, 3),
                              {Style::Hatched, colour, Hatch::BackwardDiagonal}},
                    BrushCase{"UnknownHatchCrossesDiagonally",
                              brush(emf::BrushStyle::Hatched, 9),
                              {Style::Hatched, colour, Hatch::DiagonalCross}},
                    BrushCase{"StockGrey",
                              stock(emf::StockObject::GreyBrush),
                              {Style::Solid, emf::rgb(128, 128, 128), Hatch::Horizontal}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodedRecords, FarCoordinatesAreClampedSoNoSumOverflows) {
    const emf::Record record = decoded([](emf::MetafileWriter& writer) {
        writer.moveTo({INT32_MAX, INT32_MIN});
    });
    EXPECT_EQ(std::get<emf::record::MoveTo>(record).point,
              (emf::Point{emf::coordinateLimit, -emf::coordinateLimit}));
}

// What changes nothing drawn is checked and left out: the palette, an unknown
// background mode, a stock object's deletion.
TEST(DecodedRecords, ThoseThatDrawNothingAreLeftOut) {
    const std::vector<std::byte> bytes = smallMetafile([](emf::MetafileWriter& writer) {
        writer.selectPalette(emf::stockHandle(emf::StockObject::DefaultPalette));
        writer.setRasterOperation(emf::copyPen);
        writer.deleteObject(emf::stockHandle(emf::StockObject::BlackPen));
        writer.record(
            emf::RecordType::SetBackgroundMode,
            RawRecord(layout::one_value::fixedSize).set(layout::one_value::value, 7U).body());
        writer.comment(std::as_bytes(std::span(u"note")));
    });
    EXPECT_TRUE(emf::parseMetafile(bytes).records.empty());
}

} // namespace
} // namespace dorvek::test
