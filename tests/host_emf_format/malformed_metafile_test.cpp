// A malformed metafile is refused whole, before anything is painted, and never read
// beyond its bytes (the sanitizer build watches every case).

#include "host/emf_format/little_endian.h"
#include "host/emf_format/metafile_parser.h"
#include "host/runtime/error.h"
#include "tests/support/picture_playing.h"

#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

namespace emf = host::emf;
using Bytes = std::vector<std::byte>;

// Header, pen, select, move, line, text, end of file: records 0 to 6.
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

std::size_t offsetOfRecord(const Bytes& bytes, std::size_t index) {
    std::size_t offset = 0;
    for (std::size_t i = 0; i < index; ++i) {
        offset += emf::readU32(bytes, offset + 4);
    }
    return offset;
}

void setU32(Bytes& bytes, std::size_t offset, std::uint32_t value) {
    emf::patchU32(bytes, offset, value);
}

void setRecordField(Bytes& bytes, std::size_t record, std::size_t field, std::uint32_t value) {
    setU32(bytes, offsetOfRecord(bytes, record) + field, value);
}

// A metafile drawn by draw, its header then made to declare handles slots.
Bytes withHandles(std::uint16_t handles, const std::function<void(emf::MetafileWriter&)>& draw) {
    Bytes bytes = smallMetafile(draw);
    bytes[56] = static_cast<std::byte>(handles);
    bytes[57] = std::byte{0};
    return bytes;
}

struct MalformedCase {
    const char* name;
    std::function<Bytes()> make;
};

class Malformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(Malformed, IsRefusedWholeBeforeAnythingIsPainted) {
    const Bytes bytes = GetParam().make();
    try {
        emf::parseMetafile(bytes);
        FAIL() << "accepted";
    } catch (const host::Error& error) {
        EXPECT_EQ(error.kind(), host::ErrorKind::InvalidPicture);
        EXPECT_EQ(error.number(), 481);
    }
    ensureGuiApplication();
    QImage image(20, 20, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_THROW(host::playMetafile(painter, bytes, QRectF(0, 0, 20, 20)), host::Error);
    painter.end();
    EXPECT_TRUE(paintedPixels(image).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Malformed,
    testing::Values(MalformedCase{"Empty",
                                  [] {
                                      return Bytes{};
                                  }},
                    MalformedCase{"CutInsideTheHeader",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      bytes.resize(60);
                                      return bytes;
                                  }},
                    MalformedCase{"CutInsideTheLastRecord",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      bytes.resize(bytes.size() - 4);
                                      return bytes;
                                  }},
                    MalformedCase{"NotAnEnhancedMetafile",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setU32(bytes, 40, 0x12345678);
                                      return bytes;
                                  }},
                    MalformedCase{"DeclaresMoreBytesThanItHas",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setU32(bytes, 48,
                                             static_cast<std::uint32_t>(bytes.size() + 4));
                                      return bytes;
                                  }},
                    MalformedCase{"MiscountsItsRecords",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setU32(bytes, 52, 6);
                                      return bytes;
                                  }},
                    MalformedCase{"HasAnEmptyFrame",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setU32(bytes, 32, 0); // frame right = left
                                      return bytes;
                                  }},
                    MalformedCase{"RecordSizeNotAMultipleOfFour",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, 2, 4, 14);
                                      return bytes;
                                  }},
                    MalformedCase{"RecordOfSizeZero",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, 2, 4, 0);
                                      return bytes;
                                  }},
                    MalformedCase{"RecordOverrunsTheData",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, 6, 4, 24); // the end-of-file record
                                      return bytes;
                                  }},
                    MalformedCase{"NoEndOfFileRecord",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, 6, 0, 250);
                                      return bytes;
                                  }},
                    MalformedCase{"RecordsAfterTheEndOfFile",
                                  [] {
                                      return smallMetafile([](emf::MetafileWriter& writer) {
                                          const std::byte body[12] = {};
                                          writer.record(emf::RecordType::EndOfFile, body);
                                      });
                                  }},
                    MalformedCase{"SecondHeader",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, 2, 0, 1);
                                      return bytes;
                                  }},
                    MalformedCase{"PenInSlotZero",
                                  [] {
                                      return smallMetafile([](emf::MetafileWriter& writer) {
                                          writer.createPen(0, emf::PenStyle::Solid, 0, 0);
                                      });
                                  }},
                    MalformedCase{"PenBeyondTheTable",
                                  [] {
                                      return withHandles(1, [](emf::MetafileWriter& writer) {
                                          writer.createPen(1, emf::PenStyle::Solid, 0, 0);
                                      });
                                  }},
                    MalformedCase{"SelectionBeyondTheTable",
                                  [] {
                                      return withHandles(2, [](emf::MetafileWriter& writer) {
                                          writer.selectObject(2);
                                      });
                                  }},
                    MalformedCase{"DeletionBeyondTheTable",
                                  [] {
                                      return withHandles(2, [](emf::MetafileWriter& writer) {
                                          writer.deleteObject(9);
                                      });
                                  }},
                    MalformedCase{"StockObjectThatDoesNotExist",
                                  [] {
                                      return smallMetafile([](emf::MetafileWriter& writer) {
                                          writer.selectObject(emf::stockObjectBit | 20);
                                      });
                                  }},
                    MalformedCase{"PenRecordTooShort",
                                  [] {
                                      return withHandles(2, [](emf::MetafileWriter& writer) {
                                          const std::byte slot[4] = {std::byte{1}};
                                          writer.record(emf::RecordType::CreatePen, slot);
                                      });
                                  }},
                    MalformedCase{"FontRecordTooShort",
                                  [] {
                                      return withHandles(2, [](emf::MetafileWriter& writer) {
                                          const std::byte slotAndHeight[8] = {std::byte{1}};
                                          writer.record(emf::RecordType::CreateFont, slotAndHeight);
                                      });
                                  }},
                    MalformedCase{"MorePointsThanTheRecordHolds",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, polylineRecord, 24, 3);
                                      return bytes;
                                  }},
                    MalformedCase{"PointCountThatWouldWrap",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, polylineRecord, 24, 0x40000001);
                                      return bytes;
                                  }},
                    MalformedCase{"TextBeyondTheRecord",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, textRecord, 48, 86);
                                      return bytes;
                                  }},
                    MalformedCase{"AdvancesBeyondTheRecord",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, textRecord, 72, 84);
                                      return bytes;
                                  }},
                    MalformedCase{"MoreCharactersThanTheRecordHolds",
                                  [] {
                                      Bytes bytes = wellFormed();
                                      setRecordField(bytes, textRecord, 44, 0x80000000);
                                      return bytes;
                                  }},
                    MalformedCase{"CommentLongerThanItsRecord",
                                  [] {
                                      Bytes bytes = smallMetafile([](emf::MetafileWriter& writer) {
                                          const std::byte data[4] = {};
                                          writer.comment(data);
                                      });
                                      setRecordField(bytes, 1, 8, 8);
                                      return bytes;
                                  }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WellFormed, IsReadWithTheHeadersFieldsAndEveryRecord) {
    const Bytes bytes = wellFormed();
    const emf::ParsedMetafile parsed = emf::parseMetafile(bytes);
    EXPECT_EQ(parsed.header.bytes, bytes.size());
    EXPECT_EQ(parsed.header.records, 7U);
    EXPECT_EQ(parsed.header.handles, 2);
    EXPECT_EQ(parsed.header.frame, (emf::Rect{0, 0, 200, 200}));
    ASSERT_EQ(parsed.records.size(), 7U);
    EXPECT_EQ(parsed.records[textRecord].type,
              static_cast<std::uint32_t>(emf::RecordType::TextOut));
    EXPECT_EQ(parsed.records.back().bytes.data() + parsed.records.back().bytes.size(),
              bytes.data() + bytes.size());
}

// Trailing bytes beyond the declared size are not the metafile's: they are ignored.
TEST(WellFormed, MayBeFollowedByBytesOfAnotherKind) {
    Bytes bytes = wellFormed();
    bytes.resize(bytes.size() + 6, std::byte{0xAB});
    EXPECT_EQ(emf::parseMetafile(bytes).records.size(), 7U);
}

} // namespace
} // namespace dorvek::test
