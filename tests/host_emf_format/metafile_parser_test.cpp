// A malformed metafile is refused whole, before anything is painted, and never read
// beyond its bytes (the sanitizer build watches every case).

#include "host/emf_format/metafile_parser.h"
#include "little_endian.h"
#include "record_layouts.h"
#include "tests/support/expect_error.h"
#include "tests/support/picture_playing.h"

#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
namespace layout = emf::layout;
using Bytes = std::vector<std::byte>;
using Draw = std::function<void(emf::MetafileWriter&)>;

// Header, pen, select, polyline, move, text, end of file: records 0 to 6.
Bytes wellFormed() {
    return smallMetafile([](emf::MetafileWriter& writer) {
        writer.createPen(1, emf::PenStyle::Solid, 0, emf::rgb(0, 0, 0));
        writer.selectObject(1);
        const emf::Point line[] = {{0, 0}, {5, 5}};
        writer.polyline16(line);
        writer.moveTo({0, 0});
        const std::int32_t advances[] = {6, 6};
        writer.textOut({2, 2}, u"42", advances, {2, 2, 13, 15}, 1);
    });
}
constexpr std::size_t polylineRecord = 3;
constexpr std::size_t textRecord = 5;
constexpr std::size_t endOfFileRecord = 6;

std::size_t offsetOfRecord(const Bytes& bytes, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index; ++i) {
        offset += emf::load<std::uint32_t>(bytes.data() + offset + layout::size.offset);
    }
    return offset;
}

// The well-formed metafile with one field of one record changed.
template <class T>
std::function<Bytes()> changed(std::size_t record, layout::Field<T> field, T value) {
    return [=] {
        Bytes bytes = wellFormed();
        emf::store(bytes.data() + offsetOfRecord(bytes, record) + field.offset, value);
        return bytes;
    };
}

// The well-formed metafile cut to size bytes, or by -size.
std::function<Bytes()> cutTo(std::ptrdiff_t size) {
    return [=] {
        Bytes bytes = wellFormed();
        bytes.resize(static_cast<std::size_t>(size >= 0 ? size : std::ssize(bytes) + size));
        return bytes;
    };
}

// A metafile drawn by draw, its header then made to declare handles slots.
std::function<Bytes()> drawn(const Draw& draw, std::uint16_t handles = 0) {
    return [=] {
        Bytes bytes = smallMetafile(draw);
        if (handles != 0) {
            emf::store(bytes.data() + layout::header::handles.offset, handles);
        }
        return bytes;
    };
}

Draw createPen(std::uint32_t slot) {
    return [=](emf::MetafileWriter& writer) {
        writer.createPen(slot, emf::PenStyle::Solid, 0, {});
    };
}
Draw selectObject(std::uint32_t handle) {
    return [=](emf::MetafileWriter& writer) {
        writer.selectObject(handle);
    };
}
Draw deleteObject(std::uint32_t handle) {
    return [=](emf::MetafileWriter& writer) {
        writer.deleteObject(handle);
    };
}
// A record of type whose body is bodySize bytes, the first word first.
Draw raw(emf::RecordType type, std::size_t bodySize, std::uint32_t first) {
    return [=](emf::MetafileWriter& writer) {
        Bytes body(bodySize);
        emf::store(body.data(), first);
        writer.record(type, body);
    };
}

Bytes declaringMoreBytesThanItHas() {
    Bytes bytes = wellFormed();
    emf::store(bytes.data() + layout::header::bytes.offset,
               static_cast<std::uint32_t>(bytes.size() + 4));
    return bytes;
}

struct MalformedCase {
    const char* name;
    std::function<Bytes()> make;
};

class Malformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(Malformed, IsRefusedWholeBeforeAnythingIsPainted) {
    const Bytes bytes = GetParam().make();
    expectError(host::ErrorKind::InvalidPicture, [&] { emf::parseMetafile(bytes); });
    testApplication();
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    expectError(host::ErrorKind::InvalidPicture,
                [&] { host::playback::playMetafile(painter, bytes, QRectF(0, 0, 20, 20)); });
    painter.end();
    EXPECT_TRUE(paintedPixels(image).empty());
}

namespace header = layout::header;
namespace text = layout::text_out;
using emf::RecordType;

const MalformedCase faults[] = {
    // The header.
    {"Empty",
     [] {
         return Bytes{};
     }},
    {"CutInsideTheHeader", cutTo(60)},
    {"NotAnEnhancedMetafile", changed(0, header::signature, 0x12345678U)},
    {"DeclaresMoreBytesThanItHas", declaringMoreBytesThanItHas},
    {"MiscountsItsRecords", changed(0, header::records, 6U)},
    {"HasAnEmptyFrame", changed(0, header::frame, emf::Rect{0, 0, 0, 200})},
    // The records' sizes, which must tile the declared size up to one EMR_EOF.
    {"CutInsideTheLastRecord", cutTo(-4)},
    {"RecordSizeNotAMultipleOfFour", changed(2, layout::size, 14U)},
    {"RecordOfSizeZero", changed(2, layout::size, 0U)},
    {"RecordOverrunsTheData", changed(endOfFileRecord, layout::size, 24U)},
    {"RecordsAfterTheEndOfFile", drawn(raw(RecordType::EndOfFile, 12, 0))},
    {"NoEndOfFileRecord", changed(endOfFileRecord, layout::type, 250U)},
    {"SecondHeader", changed(2, layout::type, 1U)},
    // Object handles, which must name a slot of the table or a stock object.
    {"PenInSlotZero", drawn(createPen(0))},
    {"PenBeyondTheTable", drawn(createPen(1), 1)},
    {"SelectionBeyondTheTable", drawn(selectObject(2), 2)},
    {"DeletionBeyondTheTable", drawn(deleteObject(9), 2)},
    {"StockObjectThatDoesNotExist", drawn(selectObject(emf::stockObjectBit | 20))},
    // Fields, counts and offsets, which must lie inside their record.
    {"PenRecordTooShort", drawn(raw(RecordType::CreatePen, 4, 1), 2)},
    {"FontRecordTooShort", drawn(raw(RecordType::CreateFont, 8, 1), 2)},
    {"MorePointsThanTheRecordHolds", changed(polylineRecord, layout::poly::count, 3U)},
    {"PointCountThatWouldWrap", changed(polylineRecord, layout::poly::count, 0x40000001U)},
    {"TextBeyondTheRecord", changed(textRecord, text::stringOffset, 86U)},
    {"AdvancesBeyondTheRecord", changed(textRecord, text::advancesOffset, 84U)},
    {"MoreCharactersThanTheRecordHolds", changed(textRecord, text::characters, 0x80000000U)},
    {"PaletteBeyondTheEndOfFile",
     changed(endOfFileRecord, layout::end_of_file::paletteEntries, 2U)},
    {"CommentLongerThanItsRecord", drawn(raw(RecordType::GdiComment, 4, 8))},
};

INSTANTIATE_TEST_SUITE_P(Faults, Malformed, testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WellFormed, IsReadIntoTypedRecords) {
    const Bytes bytes = wellFormed();
    const emf::ParsedMetafile parsed = emf::parseMetafile(bytes);
    EXPECT_EQ(parsed.header.bytes, bytes.size());
    EXPECT_EQ(parsed.header.records, 7U);
    EXPECT_EQ(parsed.header.handles, 2);
    EXPECT_EQ(parsed.header.frame, (emf::Rect{0, 0, 200, 200}));
    EXPECT_EQ(parsed.header.referencePixels.width, 1000);
    EXPECT_EQ(parsed.header.referenceMillimetres.height, 100);
    // The header and the end of file are left out.
    ASSERT_EQ(parsed.records.size(), 5U);
    const auto& pen = std::get<emf::record::CreatePen>(parsed.records[0]);
    EXPECT_EQ(pen.slot, 1U);
    EXPECT_EQ(pen.pen, (emf::Pen{true, 0, emf::rgb(0, 0, 0)}));
    EXPECT_EQ(std::get<emf::record::SelectObject>(parsed.records[1]).slot, 1U);
    EXPECT_EQ(std::get<emf::record::Polyline>(parsed.records[2]).points,
              (std::vector<emf::Point>{{0, 0}, {5, 5}}));
    EXPECT_EQ(std::get<emf::record::MoveTo>(parsed.records[3]).point, (emf::Point{0, 0}));
    const auto& text = std::get<emf::record::TextOut>(parsed.records[4]);
    EXPECT_EQ(text.reference, (emf::Point{2, 2}));
    EXPECT_EQ(text.text, u"42");
    EXPECT_EQ(text.advances, (std::vector<std::int32_t>{6, 6}));
    EXPECT_EQ(text.options, 0U);
}

// GDI's EMR_EOF repeats its size in its last four bytes.
TEST(WellFormed, EndsWithTheEndOfFileRecordAndItsSizeAgain) {
    const Bytes bytes = wellFormed();
    ASSERT_GE(bytes.size(), 20U);
    const std::byte* last = bytes.data() + bytes.size() - 20;
    EXPECT_EQ(emf::load<std::uint32_t>(last), 14U);      // EMR_EOF
    EXPECT_EQ(emf::load<std::uint32_t>(last + 4), 20U);  // its size
    EXPECT_EQ(emf::load<std::uint32_t>(last + 8), 0U);   // no palette entries
    EXPECT_EQ(emf::load<std::uint32_t>(last + 16), 20U); // the size again
}

// Trailing bytes beyond the declared size are not the metafile's: they are ignored.
TEST(WellFormed, MayBeFollowedByBytesOfAnotherKind) {
    Bytes bytes = wellFormed();
    bytes.resize(bytes.size() + 6, std::byte{0xAB});
    EXPECT_EQ(emf::parseMetafile(bytes).header.bytes, bytes.size() - 6);
}

} // namespace
} // namespace dorvek::test
