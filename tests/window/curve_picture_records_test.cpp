// The curve picture's records, read by an independent reader: libUEMF checks that
// every record is safe to read, and its structures give the fields we compare.

#include "window/curve_picture.h"
#include "window/curve_picture_description.h"

#include <QString>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <uemf.h>
#include <uemf_safe.h>
#include <upmf.h>
#include <vector>

namespace dorvek::window {
namespace {

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

TEST_F(CurvePictureRecords, TheHeaderIsTruthful) {
    const auto header = as<U_EMRHEADER>(records.front());
    EXPECT_EQ(header.emr.nSize, 108U);
    EXPECT_EQ(sizeof header, 108U);
    EXPECT_EQ(header.rclBounds.left, 5);
    EXPECT_EQ(header.rclBounds.top, 5);
    EXPECT_EQ(header.rclBounds.right, 485);
    EXPECT_EQ(header.rclBounds.bottom, 249);
    EXPECT_EQ(header.rclFrame.left, 0);
    EXPECT_EQ(header.rclFrame.top, 0);
    EXPECT_EQ(header.rclFrame.right, 15344);
    EXPECT_EQ(header.rclFrame.bottom, 7938);
    EXPECT_EQ(header.dSignature, static_cast<std::uint32_t>(U_ENHMETA_SIGNATURE));
    EXPECT_EQ(header.nVersion, static_cast<std::uint32_t>(U_ENHMETA_VERSION));
    EXPECT_EQ(header.nBytes, picture.size());
    EXPECT_EQ(header.nRecords, records.size());
    EXPECT_EQ(header.sReserved, 0);
    EXPECT_EQ(header.nDescription, 0U);
    EXPECT_EQ(header.offDescription, 0U);
    EXPECT_EQ(header.nPalEntries, 0U);
    EXPECT_EQ(header.szlDevice.cx, 1024);
    EXPECT_EQ(header.szlDevice.cy, 768);
    EXPECT_EQ(header.szlMillimeters.cx, 320);
    EXPECT_EQ(header.szlMillimeters.cy, 240);
    EXPECT_EQ(header.cbPixelFormat, 0U);
    EXPECT_EQ(header.offPixelFormat, 0U);
    EXPECT_EQ(header.bOpenGL, 0U);
    EXPECT_EQ(header.szlMicrometers.cx, 320000);
    EXPECT_EQ(header.szlMicrometers.cy, 240000);

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
    EXPECT_EQ(matrix.m11, 1.0F);
    EXPECT_EQ(matrix.m12, 0.0F);
    EXPECT_EQ(matrix.m21, 0.0F);
    EXPECT_EQ(matrix.m22, 1.0F);
    EXPECT_EQ(matrix.dX, 0.0F);
    EXPECT_EQ(matrix.dY, 0.0F);

    const std::vector<const char*> end = emfPlusRecords(records[comments[3]]);
    ASSERT_EQ(end.size(), 1U);
    ASSERT_TRUE(U_PMR_ENDOFFILE_get(end[0], &common));
    EXPECT_EQ(common.Type, U_PMR_RECFLAG | U_PMR_ENDOFFILE);

    const auto eof = as<U_EMREOF>(records.back());
    EXPECT_EQ(eof.cbPalEntries, 0U);
}

TEST_F(CurvePictureRecords, TheLabelFontIsTheExtendedRecordOfArialTur) {
    std::vector<Record> fonts;
    std::copy_if(records.begin(), records.end(), std::back_inserter(fonts),
                 [](const Record& r) { return r.type == U_EMR_EXTCREATEFONTINDIRECTW; });
    ASSERT_EQ(fonts.size(), 1U);
    ASSERT_EQ(fonts[0].size, 368U);
    const U_LOGFONT font = as<U_EMREXTCREATEFONTINDIRECTW>(fonts[0]).elfw.elfLogFont;
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfWidth, 0);
    EXPECT_EQ(font.lfEscapement, 0);
    EXPECT_EQ(font.lfOrientation, 0);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfItalic, 0);
    EXPECT_EQ(font.lfUnderline, 0);
    EXPECT_EQ(font.lfStrikeOut, 0);
    EXPECT_EQ(font.lfCharSet, 162);
    EXPECT_EQ(font.lfOutPrecision, 0);
    EXPECT_EQ(font.lfClipPrecision, 0);
    EXPECT_EQ(font.lfQuality, 0);
    EXPECT_EQ(font.lfPitchAndFamily, 0);
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

TEST_F(CurvePictureRecords, LabelsAreUtf16TextWithTheirAdvances) {
    struct Expected {
        const char* text;
        int left;
        std::vector<std::int32_t> advances;
    };
    const std::vector<Expected> expected{
        {"-4,0", 7, {4, 6, 3, 6}},   {"-3,0", 64, {4, 6, 3, 6}}, {"-2,0", 122, {4, 6, 3, 6}},
        {"-1,0", 179, {4, 6, 3, 6}}, {"0,0", 239, {6, 3, 6}},    {"1,0", 296, {6, 3, 6}},
        {"2,0", 353, {6, 3, 6}},     {"3,0", 411, {6, 3, 6}},    {"4,0", 468, {6, 3, 6}}};
    std::vector<Record> texts;
    std::copy_if(records.begin(), records.end(), std::back_inserter(texts),
                 [](const Record& r) { return r.type == U_EMR_EXTTEXTOUTW; });
    ASSERT_EQ(texts.size(), expected.size());
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        const auto text = as<U_EMREXTTEXTOUTW>(texts[i]);
        EXPECT_EQ(text.iGraphicsMode, static_cast<std::uint32_t>(U_GM_COMPATIBLE));
        EXPECT_EQ(text.exScale, 31.25F);
        EXPECT_EQ(text.eyScale, 31.25F);
        EXPECT_EQ(text.emrtext.ptlReference.x, expected[i].left);
        EXPECT_EQ(text.emrtext.ptlReference.y, 231);
        EXPECT_EQ(text.emrtext.fOptions, 0U);
        ASSERT_EQ(text.emrtext.nChars, expected[i].advances.size());
        std::u16string characters(text.emrtext.nChars, u'\0');
        std::memcpy(characters.data(), texts[i].data + text.emrtext.offString,
                    2 * characters.size());
        EXPECT_EQ(utf8(characters), expected[i].text);
        std::uint32_t advancesOffset = 0;
        std::memcpy(&advancesOffset, texts[i].data + sizeof(U_EMREXTTEXTOUTW) + sizeof(U_RECTL),
                    sizeof advancesOffset);
        std::vector<std::int32_t> advances(text.emrtext.nChars);
        std::memcpy(advances.data(), texts[i].data + advancesOffset, 4 * advances.size());
        EXPECT_EQ(advances, expected[i].advances);
    }
}

// Replays the records' state as GDI keeps it and describes each drawing record with
// the pen, brush or font and the clip it draws with. Object slots, selections, clips
// and the pairing of saves and restores are checked on the way.
class StateReplay {
public:
    std::vector<std::string> drawings;

    void play(const Record& record) {
        switch (record.type) {
        case U_EMR_SAVEDC:
            saved_.push_back(state_);
            break;
        case U_EMR_RESTOREDC:
            ASSERT_EQ(as<U_EMRRESTOREDC>(record).iRelative, -1);
            ASSERT_FALSE(saved_.empty());
            state_ = saved_.back();
            saved_.pop_back();
            break;
        case U_EMR_INTERSECTCLIPRECT: {
            ASSERT_FALSE(saved_.empty()) << "a clip outside a save and restore";
            const U_RECTL clip = as<U_EMRINTERSECTCLIPRECT>(record).rclClip;
            state_.clip = state_.clip ? U_RECTL{std::max(clip.left, state_.clip->left),
                                                std::max(clip.top, state_.clip->top),
                                                std::min(clip.right, state_.clip->right),
                                                std::min(clip.bottom, state_.clip->bottom)}
                                      : clip;
            break;
        }
        case U_EMR_EXTSELECTCLIPRGN:
            FAIL() << "a clip by region";
            break;
        case U_EMR_CREATEPEN: {
            const auto pen = as<U_EMRCREATEPEN>(record);
            ASSERT_EQ(pen.lopn.lopnStyle, static_cast<std::uint32_t>(U_PS_SOLID));
            create(pen.ihPen, "pen " + std::to_string(pen.lopn.lopnWidth.x) + " " +
                                  colour(pen.lopn.lopnColor));
            break;
        }
        case U_EMR_CREATEBRUSHINDIRECT: {
            const auto brush = as<U_EMRCREATEBRUSHINDIRECT>(record);
            ASSERT_EQ(brush.lb.lbStyle, static_cast<std::uint32_t>(U_BS_SOLID));
            create(brush.ihBrush, "brush " + colour(brush.lb.lbColor));
            break;
        }
        case U_EMR_EXTCREATEFONTINDIRECTW:
            create(as<U_EMREXTCREATEFONTINDIRECTW>(record).ihFont, "font");
            break;
        case U_EMR_SELECTOBJECT:
            select(as<U_EMRSELECTOBJECT>(record).ihObject);
            break;
        case U_EMR_DELETEOBJECT: {
            const std::uint32_t slot = as<U_EMRDELETEOBJECT>(record).ihObject;
            ASSERT_EQ(objects_.count(slot), 1U) << "deleting empty slot " << slot;
            objects_.erase(slot);
            break;
        }
        case U_EMR_SETTEXTCOLOR:
            state_.textColour = colour(as<U_EMRSETTEXTCOLOR>(record).crColor);
            break;
        case U_EMR_SETBKMODE:
            state_.backgroundMode = as<U_EMRSETBKMODE>(record).iMode;
            break;
        case U_EMR_MOVETOEX:
            position_ = as<U_EMRMOVETOEX>(record).ptl;
            break;
        case U_EMR_LINETO: {
            const U_POINTL to = as<U_EMRLINETO>(record).ptl;
            drawn("line " + point(position_.x, position_.y) + "-" + point(to.x, to.y));
            position_ = to;
            break;
        }
        case U_EMR_RECTANGLE: {
            const U_RECTL box = as<U_EMRRECTANGLE>(record).rclBox;
            drawn("rectangle " + rect(box));
            break;
        }
        case U_EMR_POLYGON16:
        case U_EMR_POLYLINE16: {
            const auto poly = as<U_EMRPOLYLINE16>(record);
            std::string text = record.type == U_EMR_POLYGON16 ? "polygon" : "polyline";
            for (std::uint32_t i = 0; i < poly.cpts; ++i) {
                U_POINT16 vertex;
                std::memcpy(&vertex, record.data + offsetof(U_EMRPOLYLINE16, apts) + 4 * i,
                            sizeof vertex);
                text += " " + point(vertex.x, vertex.y);
            }
            drawn(text);
            break;
        }
        case U_EMR_EXTTEXTOUTW: {
            const auto text = as<U_EMREXTTEXTOUTW>(record);
            drawings.push_back("text at " +
                               point(text.emrtext.ptlReference.x, text.emrtext.ptlReference.y) +
                               " | " + state_.font + " " + state_.textColour + " mode " +
                               std::to_string(state_.backgroundMode) + " | " + clip());
            break;
        }
        default:
            break;
        }
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
        std::string textColour = "000000";
        std::uint32_t backgroundMode = U_OPAQUE;
        std::optional<U_RECTL> clip;
    };

    static std::string colour(U_COLORREF c) {
        char text[8];
        std::snprintf(text, sizeof text, "%02x%02x%02x", c.Red, c.Green, c.Blue);
        return text;
    }
    static std::string point(std::int32_t x, std::int32_t y) {
        return std::to_string(x) + "," + std::to_string(y);
    }
    static std::string rect(const U_RECTL& r) {
        return point(r.left, r.top) + "," + point(r.right, r.bottom);
    }
    std::string clip() const { return state_.clip ? "clip " + rect(*state_.clip) : "no clip"; }

    void create(std::uint32_t slot, const std::string& object) {
        ASSERT_GE(slot, 1U);
        ASSERT_EQ(objects_.count(slot), 0U) << "slot " << slot << " still holds an object";
        objects_[slot] = object;
    }
    void select(std::uint32_t handle) {
        if (handle == U_NULL_PEN) {
            state_.pen = "null pen";
        } else if (handle == U_NULL_BRUSH) {
            state_.brush = "null brush";
        } else if (handle != U_DEFAULT_PALETTE) {
            ASSERT_EQ(objects_.count(handle), 1U) << "selecting empty slot " << handle;
            const std::string& object = objects_[handle];
            (object.rfind("pen", 0) == 0     ? state_.pen
             : object.rfind("brush", 0) == 0 ? state_.brush
                                             : state_.font) = object;
        }
    }
    void drawn(const std::string& what) {
        drawings.push_back(what + " | " + state_.pen + " | " + state_.brush + " | " + clip());
    }

    State state_;
    std::vector<State> saved_;
    std::map<std::uint32_t, std::string> objects_;
    U_POINTL position_{0, 0};
};

TEST_F(CurvePictureRecords, TheEightLayersDrawInOrderWithTheirObjectsAndClips) {
    StateReplay replay;
    for (const Record& record : records) {
        replay.play(record);
        ASSERT_FALSE(HasFatalFailure());
    }
    replay.expectFinished();

    const std::string frame = "clip 0,0,491,254";
    std::vector<std::string> expected{
        "rectangle 5,5,485,249 | pen 1 000000 | brush ffffff | " + frame,
        "polygon 16,5 475,5 475,222 16,222 16,5 | null pen | brush c0c0c0 | " + frame,
        "line 16,5-475,5 | pen 1 808080 | brush c0c0c0 | " + frame,
        "line 475,5-475,222 | pen 1 808080 | brush c0c0c0 | " + frame,
        "line 475,222-16,222 | pen 1 808080 | brush c0c0c0 | " + frame,
        "line 16,222-16,5 | pen 1 808080 | brush c0c0c0 | " + frame,
        "line 16,222-475,222 | pen 0 000000 | brush c0c0c0 | " + frame};
    for (int column : {16, 73, 131, 188, 246, 303, 360, 418, 475}) {
        expected.push_back("line " + std::to_string(column) + ",225-" + std::to_string(column) +
                           ",222 | pen 0 000000 | brush c0c0c0 | " + frame);
    }
    for (int vertex = 0; vertex < 100; ++vertex) {
        const host::emf::Point from = curve_picture::curveVertex(vertex);
        const host::emf::Point to = curve_picture::curveVertex(vertex + 1);
        expected.push_back("polyline " + std::to_string(from.x) + "," + std::to_string(from.y) +
                           " " + std::to_string(to.x) + "," + std::to_string(to.y) +
                           " | pen 2 000080 | null brush | clip 16,5,476,222");
    }
    for (int left : {7, 64, 122, 179, 239, 296, 353, 411, 468}) {
        expected.push_back("text at " + std::to_string(left) + ",231 | font 000000 mode " +
                           std::to_string(U_TRANSPARENT) + " | " + frame);
    }
    expected.push_back("rectangle 5,5,485,249 | pen 1 000000 | null brush | " + frame);
    EXPECT_EQ(replay.drawings, expected);
}

} // namespace
} // namespace dorvek::window
