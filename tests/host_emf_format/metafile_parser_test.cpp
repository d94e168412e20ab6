// A malformed metafile is refused whole, before anything is painted, and never read
// beyond its bytes (the sanitizer build watches every case).

#include "host/emf_format/metafile_parser.h"
#include "tests/support/expect_error.h"
#include "tests/support/picture_playing.h"
#include "tests/support/raw_records.h"

#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf_format;
using Bytes = std::vector<std::byte>;
using Draw = std::function<void(emf::MetafileWriter&)>;

// Header, pen, select, polyline, move, text, end of file: records 0 to 6. The text
// record is 88 bytes: its fixed part, "42" from offset 76 and two advances from 80.
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

// Fields of the records after the header, from each record's start: every record's
// type and size; EMR_POLYLINE16's count; EMR_EXTTEXTOUTW's characters, string offset
// and advances' offset (with a rectangle); EMR_EOF's palette entries.
constexpr std::size_t recordType = 0;
constexpr std::size_t recordSize = 4;
constexpr std::size_t pointCount = 24;
constexpr std::size_t characters = 44;
constexpr std::size_t stringOffset = 48;
constexpr std::size_t advancesOffset = 72;
constexpr std::size_t paletteEntries = 8;

std::size_t offsetOfRecord(const Bytes& bytes, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index; ++i) {
        offset += getLittleEndian<std::uint32_t>(bytes, offset + recordSize);
    }
    return offset;
}

// The well-formed metafile with the field at offset of one record changed.
template <class T>
std::function<Bytes()> changed(std::size_t record, std::size_t offset, T value) {
    return [=] {
        Bytes bytes = wellFormed();
        putLittleEndian(std::span(bytes), offsetOfRecord(bytes, record) + offset, value);
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

// The well-formed metafile ending in an EMR_EOF of size bytes instead, whose palette
// entries start right after its fixed fields and whose last four bytes repeat its size.
std::function<Bytes()> endingWith(std::uint32_t size, std::uint32_t entries) {
    return [=] {
        Bytes bytes = wellFormed();
        bytes.resize(bytes.size() - 20);
        const std::size_t start = bytes.size();
        bytes.resize(start + size);
        const std::span<std::byte> record = std::span(bytes).subspan(start);
        putLittleEndian(record, recordType, 14U);
        putLittleEndian(record, recordSize, size);
        putLittleEndian(record, paletteEntries, entries);
        putLittleEndian(record, 12, 16U); // the palette's offset
        putLittleEndian(record, size - 4, size);
        putLittleEndian(std::span(bytes), header_offset::bytes,
                        static_cast<std::uint32_t>(bytes.size()));
        return bytes;
    };
}

// A metafile drawn by draw, its header then made to declare handles slots.
std::function<Bytes()> drawn(const Draw& draw, std::uint16_t handles = 0) {
    return [=] {
        Bytes bytes = smallMetafile(draw);
        if (handles != 0) {
            putLittleEndian(std::span(bytes), header_offset::handles, handles);
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
Draw selectPalette(std::uint32_t handle) {
    return [=](emf::MetafileWriter& writer) {
        writer.selectPalette(handle);
    };
}
Draw createSelectAndDelete(std::uint32_t slot) {
    return [=](emf::MetafileWriter& writer) {
        writer.createPen(slot, emf::PenStyle::Solid, 0, {});
        writer.selectObject(slot);
        writer.deleteObject(slot);
    };
}
// A record of type whose body is bodySize bytes, the first word first.
Draw raw(emf::RecordType type, std::size_t bodySize, std::uint32_t first) {
    return RawRecord(type, 8 + bodySize, {{8, first}});
}

Bytes declaringMoreBytesThanItHas() {
    Bytes bytes = wellFormed();
    putLittleEndian(std::span(bytes), header_offset::bytes,
                    static_cast<std::uint32_t>(bytes.size() + 4));
    return bytes;
}

Bytes followedByBytesOfAnotherKind() {
    Bytes bytes = wellFormed();
    bytes.resize(bytes.size() + 6, std::byte{0xAB});
    return bytes;
}

struct MetafileCase {
    const char* name;
    std::function<Bytes()> make;
};

class Malformed : public testing::TestWithParam<MetafileCase> {};

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

using emf::RecordType;

// Each check has its case just past the limit here and, where the well-formed
// metafile does not already stand on it, its case at the limit in atTheLimit below.
const MetafileCase faults[] = {
    // The header.
    {"Empty",
     [] {
         return Bytes{};
     }},
    {"CutInsideTheHeader", cutTo(60)},
    {"HeaderRecordShorterThanItsFields", changed(0, recordSize, 84U)},
    {"HeaderRecordLongerThanTheFile", changed(0, recordSize, 4096U)},
    {"NotAnEnhancedMetafile", changed(0, header_offset::signature, 0x12345678U)},
    {"DeclaresMoreBytesThanItHas", declaringMoreBytesThanItHas},
    {"DeclaresFewerBytesThanItsHeader", changed(0, header_offset::bytes, 104U)},
    {"DeclaresMoreRecordsThanItHas", changed(0, header_offset::records, 8U)},
    {"DeclaresFewerRecordsThanItHas", changed(0, header_offset::records, 6U)},
    {"HasNoObjectSlot", changed(0, header_offset::handles, std::uint16_t{0})},
    {"HasAnEmptyFrame", changed(0, header_offset::frame + 8, 0)}, // right = left
    {"ReferenceDeviceOfNoPixels", changed(0, header_offset::referencePixels, 0)},
    {"ReferenceDeviceOfNoMillimetres", changed(0, header_offset::referenceMillimetres + 4, 0)},
    // 2 x 55 bytes from offset 0: two more than the 108 of the header.
    {"DescriptionBeyondTheHeader", changed(0, header_offset::descriptionCharacters, 55U)},
    // The records' sizes, which must tile the declared size up to one EMR_EOF.
    {"CutInsideTheLastRecord", cutTo(-4)},
    {"RecordSizeNotAMultipleOfFour", changed(2, recordSize, 14U)},
    {"RecordOfSizeZero", changed(2, recordSize, 0U)},
    {"RecordOverrunsTheData", changed(endOfFileRecord, recordSize, 24U)},
    {"RecordsAfterTheEndOfFile", drawn(raw(RecordType::EndOfFile, 12, 0))},
    {"NoEndOfFileRecord", changed(endOfFileRecord, recordType, 250U)},
    {"EndOfFileWithoutItsSizeAgain", endingWith(16, 0)},
    {"SecondHeader", changed(2, recordType, 1U)},
    // Object handles, which must name a slot of the table or a stock object.
    {"PenInSlotZero", drawn(createPen(0))},
    {"PenAtTheTablesSize", drawn(createPen(1), 1)},
    {"SelectionOfSlotZero", drawn(selectObject(0))},
    {"SelectionAtTheTablesSize", drawn(selectObject(2), 2)},
    {"DeletionOfSlotZero", drawn(deleteObject(0))},
    {"DeletionAtTheTablesSize", drawn(deleteObject(2), 2)},
    {"PaletteAtTheTablesSize", drawn(selectPalette(2), 2)},
    {"StockObjectPastTheLast", drawn(selectObject(0x80000000U | 20))},
    // Fields, counts and offsets, which must lie inside their record; each fixed part
    // one word short.
    {"PenRecordTooShort", drawn(raw(RecordType::CreatePen, 16, 1), 2)},
    {"ExtendedPenRecordTooShort", drawn(raw(RecordType::CreateExtendedPen, 40, 1), 2)},
    {"BrushRecordTooShort", drawn(raw(RecordType::CreateBrush, 12, 1), 2)},
    {"FontRecordTooShort", drawn(raw(RecordType::CreateFont, 92, 1), 2)},
    {"MorePointsThanTheRecordHolds", changed(polylineRecord, pointCount, 3U)},
    {"PointCountThatWouldWrap", changed(polylineRecord, pointCount, 0x40000001U)},
    {"TextBeyondTheRecord", changed(textRecord, stringOffset, 86U)},
    {"AdvancesBeyondTheRecord", changed(textRecord, advancesOffset, 84U)},
    {"OneCharacterMoreThanTheRecordHolds", changed(textRecord, characters, 3U)},
    {"CharacterCountThatWouldWrap", changed(textRecord, characters, 0x80000000U)},
    // Two entries from offset 16 would cover the size that the last word repeats.
    {"PaletteOverTheEndOfFilesSize", endingWith(24, 2)},
    {"CommentLongerThanItsRecord", drawn(raw(RecordType::GdiComment, 8, 5))},
};

INSTANTIATE_TEST_SUITE_P(Faults, Malformed, testing::ValuesIn(faults),
                         [](const auto& info) { return std::string(info.param.name); });

class AtTheLimit : public testing::TestWithParam<MetafileCase> {};

TEST_P(AtTheLimit, IsAccepted) {
    const Bytes bytes = GetParam().make();
    EXPECT_NO_THROW(emf::parseMetafile(bytes));
}

const MetafileCase limits[] = {
    {"DescriptionFillingTheHeader", changed(0, header_offset::descriptionCharacters, 54U)},
    {"EndOfFileWithOnePaletteEntry", endingWith(24, 1)},
    {"SlotJustInsideTheTable", drawn(createSelectAndDelete(1))},
    {"LastStockObject", drawn(selectObject(0x80000000U | 19))},
    {"CommentFillingItsRecord", drawn(raw(RecordType::GdiComment, 8, 4))},
    // Bytes beyond the declared size are not the metafile's.
    {"FollowedByBytesOfAnotherKind", followedByBytesOfAnotherKind},
};

INSTANTIATE_TEST_SUITE_P(Limits, AtTheLimit, testing::ValuesIn(limits),
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
    const std::span<const std::byte> last = std::span(bytes).last(20);
    EXPECT_EQ(getLittleEndian<std::uint32_t>(last, 0), 14U);  // EMR_EOF
    EXPECT_EQ(getLittleEndian<std::uint32_t>(last, 4), 20U);  // its size
    EXPECT_EQ(getLittleEndian<std::uint32_t>(last, 8), 0U);   // no palette entries
    EXPECT_EQ(getLittleEndian<std::uint32_t>(last, 16), 20U); // the size again
}

} // namespace
} // namespace dorvek::test
