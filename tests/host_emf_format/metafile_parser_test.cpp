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

const std::byte noBytes[12] = {};
const std::byte slotOne[12] = {std::byte{1}};

INSTANTIATE_TEST_SUITE_P(
    Faults, Malformed,
    testing::Values(
        MalformedCase{"Empty",
                      [] {
                          return Bytes{};
                      }},
        MalformedCase{"CutInsideTheHeader", cutTo(60)},
        MalformedCase{"CutInsideTheLastRecord", cutTo(-4)},
        MalformedCase{"NotAnEnhancedMetafile", changed(0, layout::header::signature, 0x12345678U)},
        MalformedCase{"DeclaresMoreBytesThanItHas",
                      [] {
                          Bytes bytes = wellFormed();
                          emf::store(bytes.data() + layout::header::bytes.offset,
                                     static_cast<std::uint32_t>(bytes.size() + 4));
                          return bytes;
                      }},
        MalformedCase{"MiscountsItsRecords", changed(0, layout::header::records, 6U)},
        MalformedCase{"HasAnEmptyFrame",
                      changed(0, layout::header::frame, emf::Rect{0, 0, 0, 200})},
        MalformedCase{"RecordSizeNotAMultipleOfFour", changed(2, layout::size, 14U)},
        MalformedCase{"RecordOfSizeZero", changed(2, layout::size, 0U)},
        MalformedCase{"RecordOverrunsTheData", changed(endOfFileRecord, layout::size, 24U)},
        MalformedCase{"NoEndOfFileRecord", changed(endOfFileRecord, layout::type, 250U)},
        MalformedCase{"RecordsAfterTheEndOfFile", drawn([](auto& writer) {
                          writer.record(emf::RecordType::EndOfFile, noBytes);
                      })},
        MalformedCase{"SecondHeader", changed(2, layout::type, 1U)},
        MalformedCase{"PenInSlotZero", drawn([](auto& writer) {
                          writer.createPen(0, emf::PenStyle::Solid, 0, {});
                      })},
        MalformedCase{
            "PenBeyondTheTable",
            drawn([](auto& writer) { writer.createPen(1, emf::PenStyle::Solid, 0, {}); }, 1)},
        MalformedCase{"SelectionBeyondTheTable",
                      drawn([](auto& writer) { writer.selectObject(2); }, 2)},
        MalformedCase{"DeletionBeyondTheTable",
                      drawn([](auto& writer) { writer.deleteObject(9); }, 2)},
        MalformedCase{"StockObjectThatDoesNotExist",
                      drawn([](auto& writer) { writer.selectObject(emf::stockObjectBit | 20); })},
        MalformedCase{"PenRecordTooShort", drawn([](auto& writer) {
                          writer.record(emf::RecordType::CreatePen, std::span(slotOne).first(4));
                      })},
        MalformedCase{"FontRecordTooShort", drawn([](auto& writer) {
                          writer.record(emf::RecordType::CreateFont, std::span(slotOne).first(8));
                      })},
        MalformedCase{"MorePointsThanTheRecordHolds",
                      changed(polylineRecord, layout::poly::count, 3U)},
        MalformedCase{"PointCountThatWouldWrap",
                      changed(polylineRecord, layout::poly::count, 0x40000001U)},
        MalformedCase{"TextBeyondTheRecord",
                      changed(textRecord, layout::text_out::stringOffset, 86U)},
        MalformedCase{"AdvancesBeyondTheRecord",
                      changed(textRecord, layout::text_out::advancesOffset, 84U)},
        MalformedCase{"MoreCharactersThanTheRecordHolds",
                      changed(textRecord, layout::text_out::characters, 0x80000000U)},
        MalformedCase{"PaletteBeyondTheEndOfFile",
                      changed(endOfFileRecord, layout::end_of_file::paletteEntries, 2U)},
        MalformedCase{"CommentLongerThanItsRecord", drawn([](auto& writer) {
                          const std::uint32_t eight = 8;
                          writer.record(emf::RecordType::GdiComment,
                                        std::as_bytes(std::span(&eight, 1)));
                      })}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WellFormed, IsReadIntoTypedRecords) {
    const Bytes bytes = wellFormed();
    const emf::ParsedMetafile parsed = emf::parseMetafile(bytes);
    EXPECT_EQ(parsed.header.bytes, bytes.size());
    EXPECT_EQ(parsed.header.records, 7U);
    EXPECT_EQ(parsed.header.handles, 2);
    EXPECT_EQ(parsed.header.frame, (emf::Rect{0, 0, 200, 200}));
    EXPECT_EQ(parsed.header.referencePixels, (emf::Size{1000, 1000}));
    EXPECT_EQ(parsed.header.referenceMillimetres, (emf::Size{100, 100}));
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
