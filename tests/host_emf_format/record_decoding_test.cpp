// Pens, brushes, stock objects and coordinates as the parser decodes them for the
// player: one record each, written raw where the writer has no method for it.

#include "host/emf_format/metafile_parser.h"
#include "little_endian.h"
#include "record_layouts.h"
#include "tests/support/picture_playing.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <variant>

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
// diagonal cross from 0.
const ObjectCase objects[] = {
    {"SolidPen", pen(PenStyle::Solid, 3), "pen 3 010203"},
    {"NullStylePen", pen(PenStyle::Null, 3), "null pen"},
    {"NegativeWidth", pen(PenStyle::Solid, -4), "pen 4 010203"},
    {"WidthBeyondTheLimit", pen(PenStyle::Solid, INT32_MIN), "pen 1073741824 010203"},
    {"ExtendedGeometricPen", extendedPen(geometric, 5, BrushStyle::Solid), "pen 5 010203"},
    // A cosmetic pen is one device pixel whatever its width.
    {"ExtendedCosmeticPen", extendedPen(0, 5, BrushStyle::Solid), "pen 0 010203"},
    {"ExtendedPenWithANullBrush", extendedPen(geometric, 5, BrushStyle::Null), "null pen"},
    {"StockNullPen", stock(StockObject::NullPen), "null pen"},
    {"StockWhitePen", stock(StockObject::WhitePen), "pen 0 ffffff"},
    {"SolidBrush", brush(BrushStyle::Solid, 3), "brush 010203"},
    {"NullBrush", brush(BrushStyle::Null, 0), "null brush"},
    {"HatchedBrush", brush(BrushStyle::Hatched, 3), "brush 010203 hatch 3"},
    {"UnknownHatchCrossesDiagonally", brush(BrushStyle::Hatched, 9), "brush 010203 hatch 5"},
    {"StockGreyBrush", stock(StockObject::GreyBrush), "brush 808080"},
};

INSTANTIATE_TEST_SUITE_P(PensAndBrushes, DecodedObject, testing::ValuesIn(objects),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodedRecords, FarCoordinatesAreClampedSoNoSumOverflows) {
    const emf::Record record = decoded([](emf::MetafileWriter& writer) {
        writer.moveTo({INT32_MAX, INT32_MIN}); // past the limit on both sides
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
