// The curve picture's records. libUEMF, a reader independent of ours, checks that
// every record is safe to read and gives the fields of the file's form; the layers
// are then read from the typed records of our own parser, which its own tests check.

#include "host/emf_format/metafile_parser.h"
#include "tests/support/curve_picture_reference.h"
#include "window/curve_picture.h"

#include <QCryptographicHash>
#include <QString>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <numeric>
#include <optional>
#include <string>
#include <typeinfo>
#include <uemf.h>
#include <uemf_safe.h>
#include <upmf.h>
#include <vector>

namespace dorvek::window {
namespace {

namespace curve_reference = test::curve_reference;

struct Record {
    std::uint32_t type;
    const char* data;
    std::uint32_t size;
};

std::vector<Record> recordsOf(std::span<const std::byte> metafile) {
    std::vector<Record> records;
    std::size_t offset = 0;
    while (offset + sizeof(U_EMR) <= metafile.size()) {
        U_EMR prefix;
        std::memcpy(&prefix, metafile.data() + offset, sizeof prefix);
        records.push_back(
            {prefix.iType, reinterpret_cast<const char*>(metafile.data() + offset), prefix.nSize});
        if (prefix.nSize == 0) {
            break;
        }
        offset += prefix.nSize;
    }
    return records;
}

template <class Structure>
Structure as(const Record& record) {
    Structure structure;
    std::memcpy(&structure, record.data, std::min<std::size_t>(sizeof structure, record.size));
    return structure;
}

std::string corners(const U_RECTL& rect) {
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," +
           std::to_string(rect.right) + "," + std::to_string(rect.bottom);
}

std::string utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

class CurvePictureRecords : public testing::Test {
protected:
    std::span<const std::byte> picture = curvePicture();
    std::vector<Record> records = recordsOf(picture);
};

TEST_F(CurvePictureRecords, EveryRecordPassesLibUemfsSafetyCheckAndTheyTileTheFile) {
    std::size_t total = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        EXPECT_EQ(U_emf_record_safe(records[i].data), 1)
            << "record " << i << " type " << records[i].type;
        EXPECT_EQ(records[i].size % 4, 0U) << i;
        total += records[i].size;
    }
    EXPECT_EQ(total, picture.size());
    EXPECT_EQ(records.front().type, static_cast<std::uint32_t>(U_EMR_HEADER));
    EXPECT_EQ(records.back().type, static_cast<std::uint32_t>(U_EMR_EOF));
}

// A change to any byte of the picture must be a decision: the window, dorvek-calc
// --emf and every picture rendered from it follow these bytes.
TEST_F(CurvePictureRecords, TheBytesAreTheOnesDecidedOn) {
    const QByteArray bytes(reinterpret_cast<const char*>(picture.data()),
                           static_cast<qsizetype>(picture.size()));
    EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString(),
              "1bd673f68102e3ca7c885aaf76a624253f7a4ee832c908d9ed2b72b16dce5fd8");
}

TEST_F(CurvePictureRecords, TheHeaderIsTruthful) {
    const auto header = as<U_EMRHEADER>(records.front());
    EXPECT_EQ(header.emr.nSize, 108U);
    EXPECT_EQ(sizeof header, 108U);
    // The chart area's corners, inclusive: everything drawn lies inside.
    EXPECT_EQ(corners(header.rclBounds), "5,5,485,249");
    EXPECT_EQ(corners(header.rclFrame), "0,0,15344,7938"); // 491 x 254 pixels of 0.3125 mm
    EXPECT_EQ(header.dSignature, static_cast<std::uint32_t>(U_ENHMETA_SIGNATURE));
    EXPECT_EQ(header.nVersion, static_cast<std::uint32_t>(U_ENHMETA_VERSION));
    EXPECT_EQ(header.nBytes, picture.size());
    EXPECT_EQ(header.nRecords, records.size());
    // No description, palette, pixel format or OpenGL.
    EXPECT_EQ((std::array<std::uint32_t, 7>{
                  header.sReserved, header.nDescription, header.offDescription, header.nPalEntries,
                  header.cbPixelFormat, header.offPixelFormat, header.bOpenGL}),
              (std::array<std::uint32_t, 7>{}));
    // A reference device of 1024 x 768 pixels on 320 x 240 mm.
    EXPECT_EQ((std::array<std::int32_t, 6>{header.szlDevice.cx, header.szlDevice.cy,
                                           header.szlMillimeters.cx, header.szlMillimeters.cy,
                                           header.szlMicrometers.cx, header.szlMicrometers.cy}),
              (std::array<std::int32_t, 6>{1024, 768, 320, 240, 320000, 240000}));

    // The handle count covers exactly the slots the records use, slot 0 included.
    std::uint32_t highestSlot = 0;
    for (const Record& record : records) {
        if (record.type == U_EMR_CREATEPEN || record.type == U_EMR_CREATEBRUSHINDIRECT ||
            record.type == U_EMR_EXTCREATEFONTINDIRECTW) {
            highestSlot = std::max(highestSlot, as<U_EMRSELECTOBJECT>(record).ihObject);
        }
    }
    EXPECT_EQ(header.nHandles, highestSlot + 1);
    EXPECT_LE(header.nHandles, 6);
}

// The EMF+ records inside one comment, each from its type.
std::vector<const char*> emfPlusRecords(const Record& comment) {
    const auto header = as<U_EMRCOMMENT>(comment);
    const char* data = comment.data + offsetof(U_EMRCOMMENT, Data);
    EXPECT_GE(header.cbData, 4U);
    EXPECT_EQ(std::memcmp(data, "EMF+", 4), 0);
    std::vector<const char*> found;
    for (const char* at = data + 4; at < data + header.cbData;) {
        found.push_back(at);
        U_PMF_CMN_HDR common;
        const char* cursor = at;
        U_PMF_CMN_HDR_get(&cursor, &common);
        if (common.Size == 0) {
            break;
        }
        at += common.Size;
    }
    return found;
}

TEST_F(CurvePictureRecords, EmfPlusCommentsCarryTheHeaderTheStatesAndTheEnd) {
    std::vector<std::size_t> comments;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].type == U_EMR_COMMENT) {
            comments.push_back(i);
        }
    }
    ASSERT_EQ(comments.size(), 4U);
    EXPECT_EQ(comments[0], 1U);
    EXPECT_EQ(comments[2], records.size() - 3);
    EXPECT_EQ(comments[3], records.size() - 2);

    U_PMF_CMN_HDR common;
    const std::vector<const char*> first = emfPlusRecords(records[comments[0]]);
    ASSERT_EQ(first.size(), 1U);
    U_PMF_GRAPHICSVERSION version = 0;
    int dual = 0;
    int video = 0;
    std::uint32_t dpiX = 0;
    std::uint32_t dpiY = 0;
    ASSERT_TRUE(U_PMR_HEADER_get(first[0], &common, &version, &dual, &video, &dpiX, &dpiY));
    EXPECT_EQ(common.Type, U_PMR_RECFLAG | U_PMR_HEADER);
    EXPECT_EQ(common.Flags, 0x0001);
    EXPECT_EQ(version, 0xDBC01001U);
    EXPECT_EQ(dual, 1);
    EXPECT_EQ(video, 1);
    EXPECT_EQ(dpiX, 96U);
    EXPECT_EQ(dpiY, 96U);

    const std::vector<const char*> states = emfPlusRecords(records[comments[1]]);
    ASSERT_EQ(states.size(), 6U);
    int value = 0;
    ASSERT_TRUE(U_PMR_SETPIXELOFFSETMODE_get(states[0], &common, &value));
    EXPECT_EQ(value, 4);
    int antiAliasType = 0;
    ASSERT_TRUE(U_PMR_SETANTIALIASMODE_get(states[1], &common, &value, &antiAliasType));
    EXPECT_EQ(common.Flags, 0x0001);
    ASSERT_TRUE(U_PMR_SETCOMPOSITINGQUALITY_get(states[2], &common, &value));
    EXPECT_EQ(value, 1);
    ASSERT_TRUE(U_PMR_SETINTERPOLATIONMODE_get(states[3], &common, &value));
    EXPECT_EQ(value, 7);
    U_FLOAT scale = 0;
    ASSERT_TRUE(U_PMR_SETPAGETRANSFORM_get(states[4], &common, &value, &scale));
    EXPECT_EQ(value, U_UT_Pixel);
    EXPECT_EQ(scale, 1.0F);
    ASSERT_TRUE(U_PMR_GETDC_get(states[5], &common));
    EXPECT_EQ(common.Type, U_PMR_RECFLAG | U_PMR_GETDC);

    const std::vector<const char*> transform = emfPlusRecords(records[comments[2]]);
    ASSERT_EQ(transform.size(), 1U);
    U_PMF_TRANSFORMMATRIX matrix{};
    ASSERT_TRUE(U_PMR_SETWORLDTRANSFORM_get(transform[0], &common, &matrix));
    EXPECT_EQ(common.Type, U_PMR_RECFLAG | U_PMR_SETWORLDTRANSFORM);
    EXPECT_EQ((std::array<U_FLOAT, 6>{matrix.m11, matrix.m12, matrix.m21, matrix.m22, matrix.dX,
                                      matrix.dY}),
              (std::array<U_FLOAT, 6>{1, 0, 0, 1, 0, 0}));

    const std::vector<const char*> end = emfPlusRecords(records[comments[3]]);
    ASSERT_EQ(end.size(), 1U);
    ASSERT_TRUE(U_PMR_ENDOFFILE_get(end[0], &common));
    EXPECT_EQ(common.Type, U_PMR_RECFLAG | U_PMR_ENDOFFILE);

    // EMR_EOF without palette entries, its size repeated in its last four bytes.
    const auto eof = as<U_EMREOF>(records.back());
    EXPECT_EQ(eof.cbPalEntries, 0U);
    EXPECT_EQ(eof.emr.nSize, 20U);
    std::uint32_t sizeLast = 0;
    std::memcpy(&sizeLast, records.back().data + eof.emr.nSize - sizeof sizeLast, sizeof sizeLast);
    EXPECT_EQ(sizeLast, eof.emr.nSize);
}

TEST_F(CurvePictureRecords, TheLabelFontIsTheExtendedRecordOfArialTur) {
    std::vector<Record> fonts;
    std::copy_if(records.begin(), records.end(), std::back_inserter(fonts),
                 [](const Record& r) { return r.type == U_EMR_EXTCREATEFONTINDIRECTW; });
    ASSERT_EQ(fonts.size(), 1U);
    ASSERT_EQ(fonts[0].size, 368U);
    const U_LOGFONT font = as<U_EMREXTCREATEFONTINDIRECTW>(fonts[0]).elfw.elfLogFont;
    // An em of 11 pixels, regular, in the Turkish character set; nothing else set.
    EXPECT_EQ((std::array<std::int32_t, 5>{font.lfHeight, font.lfWidth, font.lfEscapement,
                                           font.lfOrientation, font.lfWeight}),
              (std::array<std::int32_t, 5>{-11, 0, 0, 0, 400}));
    EXPECT_EQ(
        (std::array<std::uint8_t, 8>{font.lfItalic, font.lfUnderline, font.lfStrikeOut,
                                     font.lfCharSet, font.lfOutPrecision, font.lfClipPrecision,
                                     font.lfQuality, font.lfPitchAndFamily}),
        (std::array<std::uint8_t, 8>{0, 0, 0, 162, 0, 0, 0, 0}));
    const std::u16string face(reinterpret_cast<const char16_t*>(font.lfFaceName));
    EXPECT_EQ(utf8(face), "Arial Tur");

    // Full name, style and script are empty strings; the design vector has no axes.
    const std::size_t names = 12 + sizeof(U_LOGFONT);
    for (std::size_t at = names; at < names + 2 * (64 + 32 + 32); ++at) {
        ASSERT_EQ(fonts[0].data[at], 0) << at;
    }
    std::uint32_t designVector[2];
    std::memcpy(designVector, fonts[0].data + 360, sizeof designVector);
    EXPECT_EQ(designVector[0], 0x08007664U);
    EXPECT_EQ(designVector[1], 0U);
}

// Each label is its tick's value with a decimal comma, centred on the tick by the
// advances 4 for '-', 6 for a digit and 3 for ','.
TEST_F(CurvePictureRecords, LabelsAreUtf16TextWithTheirAdvances) {
    std::vector<Record> texts;
    std::copy_if(records.begin(), records.end(), std::back_inserter(texts),
                 [](const Record& r) { return r.type == U_EMR_EXTTEXTOUTW; });
    ASSERT_EQ(texts.size(), curve_reference::labels.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const curve_reference::Label& label = curve_reference::labels[i];
        SCOPED_TRACE(label.text);
        const auto text = as<U_EMREXTTEXTOUTW>(texts[i]);
        EXPECT_EQ(text.iGraphicsMode, static_cast<std::uint32_t>(U_GM_COMPATIBLE));
        EXPECT_EQ(text.exScale, 31.25F);
        EXPECT_EQ(text.eyScale, 31.25F);
        EXPECT_EQ(text.emrtext.ptlReference.x, label.left);
        EXPECT_EQ(text.emrtext.ptlReference.y, curve_reference::labelTop);
        EXPECT_EQ(text.emrtext.fOptions, 0U);
        ASSERT_EQ(text.emrtext.nChars, label.text.size());
        std::u16string characters(text.emrtext.nChars, u'\0');
        std::memcpy(characters.data(), texts[i].data + text.emrtext.offString,
                    2 * characters.size());
        EXPECT_EQ(utf8(characters), label.text);
        std::uint32_t advancesOffset = 0;
        std::memcpy(&advancesOffset, texts[i].data + sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL),
                    sizeof advancesOffset);
        std::vector<std::int32_t> advances(text.emrtext.nChars);
        std::memcpy(advances.data(), texts[i].data + advancesOffset, 4 * advances.size());
        std::vector<std::int32_t> expected;
        for (const char character : label.text) {
            expected.push_back(character == '-' ? 4 : character == ',' ? 3 : 6);
        }
        EXPECT_EQ(advances, expected);
        EXPECT_EQ(std::accumulate(advances.begin(), advances.end(), 0), label.width);
    }
}

namespace emf = host::emf_format;

std::string hex(emf::ColourRef colour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}
std::string point(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}
std::string rect(const emf::Rect& r) {
    return point(r.left, r.top) + "," + point(r.right, r.bottom);
}

// Replays the typed records' state as GDI keeps it and describes each drawing with
// the pen, brush or font and the clip it draws with. Object slots, selections, clips
// and the pairing of saves and restores are checked on the way.
class StateReplay {
public:
    std::vector<std::string> drawings;

    void play(const emf::Record& record) {
        std::visit([this](const auto& typed) { replay(typed); }, record);
    }

    void expectFinished() const {
        EXPECT_TRUE(saved_.empty()) << "saves left unrestored";
        EXPECT_TRUE(objects_.empty()) << "objects left undeleted";
    }

private:
    struct State {
        std::string pen = "pen 0 000000";
        std::string brush = "brush ffffff";
        std::string font = "system font";
        std::string text = "000000 opaque";
        std::optional<emf::Rect> clip;
    };

    void replay(const emf::record::SaveState&) { saved_.push_back(state_); }
    void replay(const emf::record::RestoreState& restore) {
        ASSERT_EQ(restore.relative, -1);
        ASSERT_FALSE(saved_.empty());
        state_ = saved_.back();
        saved_.pop_back();
    }
    void replay(const emf::record::IntersectClip& clip) {
        ASSERT_FALSE(saved_.empty()) << "a clip outside a save and restore";
        const emf::Rect& c = clip.rect;
        state_.clip = state_.clip ? emf::Rect{std::max(c.left, state_.clip->left),
                                              std::max(c.top, state_.clip->top),
                                              std::min(c.right, state_.clip->right),
                                              std::min(c.bottom, state_.clip->bottom)}
                                  : c;
    }
    void replay(const emf::record::CreatePen& pen) {
        ASSERT_TRUE(pen.pen.visible);
        create(pen.slot, "pen " + std::to_string(pen.pen.width) + " " + hex(pen.pen.colour));
    }
    void replay(const emf::record::CreateBrush& brush) {
        ASSERT_EQ(brush.brush.style, emf::Brush::Style::Solid);
        create(brush.slot, "brush " + hex(brush.brush.colour));
    }
    void replay(const emf::record::CreateFont& font) { create(font.slot, "font"); }
    void replay(const emf::record::SelectObject& select) {
        ASSERT_EQ(objects_.count(select.slot), 1U) << "selecting empty slot " << select.slot;
        const std::string& object = objects_[select.slot];
        (object.starts_with("pen")     ? state_.pen
         : object.starts_with("brush") ? state_.brush
                                       : state_.font) = object;
    }
    void replay(const emf::record::SelectStockPen& select) {
        ASSERT_FALSE(select.pen.visible);
        state_.pen = "null pen";
    }
    void replay(const emf::record::SelectStockBrush& select) {
        ASSERT_EQ(select.brush.style, emf::Brush::Style::Null);
        state_.brush = "null brush";
    }
    void replay(const emf::record::DeleteObject& deleted) {
        ASSERT_EQ(objects_.erase(deleted.slot), 1U) << "deleting empty slot " << deleted.slot;
    }
    void replay(const emf::record::SetTextColour& colour) {
        state_.text = hex(colour.colour) + state_.text.substr(6);
    }
    void replay(const emf::record::SetBackgroundColour& colour) {
        EXPECT_EQ(hex(colour.colour), "ffffff");
    }
    void replay(const emf::record::SetBackgroundMode& mode) {
        const bool opaque = mode.mode == emf::BackgroundMode::Opaque;
        state_.text = state_.text.substr(0, 6) + (opaque ? " opaque" : " transparent");
    }
    void replay(const emf::record::MoveTo& move) { position_ = move.point; }
    void replay(const emf::record::LineTo& line) {
        drawn("line " + point(position_.x, position_.y) + "-" + point(line.point.x, line.point.y));
        position_ = line.point;
    }
    void replay(const emf::record::Rectangle& rectangle) {
        drawn("rectangle " + rect(rectangle.box));
    }
    void replay(const emf::record::Polygon& polygon) { drawn("polygon" + points(polygon.points)); }
    void replay(const emf::record::Polyline& polyline) {
        drawn("polyline" + points(polyline.points));
    }
    void replay(const emf::record::TextOut& text) {
        drawings.push_back("text at " + point(text.reference.x, text.reference.y) + " | " +
                           state_.font + " " + state_.text + " | " + clip());
    }
    // The picture uses nothing else; what it might use is a fault here.
    template <class Other>
    void replay(const Other&) {
        ADD_FAILURE() << "a record the picture should not hold: " << typeid(Other).name();
    }

    static std::string points(const std::vector<emf::Point>& vertices) {
        std::string text;
        for (const emf::Point& vertex : vertices) {
            text += " " + point(vertex.x, vertex.y);
        }
        return text;
    }
    std::string clip() const { return state_.clip ? "clip " + rect(*state_.clip) : "no clip"; }
    void create(std::uint32_t slot, const std::string& object) {
        ASSERT_TRUE(objects_.emplace(slot, object).second)
            << "slot " << slot << " still holds an object";
    }
    void drawn(const std::string& what) {
        drawings.push_back(what + " | " + state_.pen + " | " + state_.brush + " | " + clip());
    }

    State state_;
    std::vector<State> saved_;
    std::map<std::uint32_t, std::string> objects_;
    emf::Point position_;
};

TEST_F(CurvePictureRecords, TheEightLayersDrawInOrderWithTheirObjectsAndClips) {
    namespace reference = curve_reference;
    const emf::ParsedMetafile parsed = emf::parseMetafile(picture);
    StateReplay replay;
    for (const emf::Record& record : parsed.records) {
        replay.play(record);
        ASSERT_FALSE(HasFatalFailure());
    }
    replay.expectFinished();

    const std::string frame = "clip 0,0,491,254";
    const std::string chartArea = "rectangle 5,5,485,249";
    const reference::Box plot = reference::plotArea;
    const std::string corners[] = {point(plot.left, plot.top), point(plot.right, plot.top),
                                   point(plot.right, plot.bottom), point(plot.left, plot.bottom)};
    std::vector<std::string> expected{chartArea + " | pen 1 000000 | brush ffffff | " + frame,
                                      "polygon " + corners[0] + " " + corners[1] + " " +
                                          corners[2] + " " + corners[3] + " " + corners[0] +
                                          " | null pen | brush c0c0c0 | " + frame};
    for (int side = 0; side < 4; ++side) {
        expected.push_back("line " + corners[side] + "-" + corners[(side + 1) % 4] +
                           " | pen 1 808080 | brush c0c0c0 | " + frame);
    }
    expected.push_back("line " + point(plot.left, reference::axisRow) + "-" +
                       point(plot.right, reference::axisRow) + " | pen 0 000000 | brush c0c0c0 | " +
                       frame);
    for (int column : reference::tickColumns) {
        expected.push_back("line " + point(column, reference::tickBottom) + "-" +
                           point(column, reference::axisRow) + " | pen 0 000000 | brush c0c0c0 | " +
                           frame);
    }
    for (std::size_t vertex = 0; vertex + 1 < reference::curveColumns.size(); ++vertex) {
        expected.push_back(
            "polyline " + point(reference::curveColumns[vertex], reference::curveRows[vertex]) +
            " " + point(reference::curveColumns[vertex + 1], reference::curveRows[vertex + 1]) +
            " | pen 2 000080 | null brush | clip 16,5,476,222");
    }
    for (const reference::Label& label : reference::labels) {
        expected.push_back("text at " + point(label.left, reference::labelTop) +
                           " | font 000000 transparent | " + frame);
    }
    expected.push_back(chartArea + " | pen 1 000000 | null brush | " + frame);
    EXPECT_EQ(replay.drawings, expected);
}

} // namespace
} // namespace dorvek::window
