#include "font_substitution.h"
#include "host/emf_format/emf_types.h"
#include "host/playback/face_stand_ins.h"
#include "tests/support/test_application.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace dorvek::test {
namespace {

struct FaceCase {
    const char* name;
    std::u16string face;
    std::uint8_t charSet;
    const char* family;
};

class FontFace : public testing::TestWithParam<FaceCase> {};

TEST_P(FontFace, FallsBackToTheMetricCompatibleFaceDebianShips) {
    testApplication();
    host::emf_format::LogFont logFont;
    logFont.height = -11;
    logFont.faceName = GetParam().face;
    logFont.charSet = GetParam().charSet;
    const host::playback::TextFont font = host::playback::substituteFont(logFont);
    EXPECT_EQ(QFontInfo(font.font).family().toStdString(), GetParam().family);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, FontFace,
    testing::Values(FaceCase{"ArialTurkish", u"Arial Tur", 162, "Liberation Sans"},
                    FaceCase{"Arial", u"Arial", 0, "Liberation Sans"},
                    FaceCase{"ArialCentralEuropean", u"Arial CE", 238, "Liberation Sans"},
                    FaceCase{"TimesNewRomanTurkish", u"Times New Roman Tur", 162,
                             "Liberation Serif"},
                    FaceCase{"CourierNewCyrillic", u"Courier New Cyr", 204, "Liberation Mono"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FontSize, ANegativeHeightIsTheEmAndAPositiveOneTheCell) {
    testApplication();
    host::emf_format::LogFont logFont;
    logFont.faceName = u"Arial Tur";
    logFont.height = -11;
    const host::playback::TextFont em = host::playback::substituteFont(logFont);
    EXPECT_EQ(em.font.pixelSize(), 11);
    // Liberation Sans: ascent 0.905 em, descent 0.212 em, in whole pixels.
    EXPECT_EQ(em.ascent, 10);
    EXPECT_EQ(em.descent, 2);

    logFont.height = 28;
    const host::playback::TextFont cell = host::playback::substituteFont(logFont);
    EXPECT_EQ(cell.font.pixelSize(), 25);
    EXPECT_NEAR(cell.ascent + cell.descent, 28, 1);
}

TEST(FontStyle, WeightItalicUnderlineAndStrikeOutCarryOver) {
    testApplication();
    host::emf_format::LogFont logFont;
    logFont.faceName = u"Arial";
    logFont.height = -11;
    logFont.weight = 700;
    logFont.italic = 1;
    logFont.strikeOut = 1;
    QFont font = host::playback::substituteFont(logFont).font;
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_TRUE(font.strikeOut());

    // A weight of 0 is GDI's default, regular.
    logFont.weight = 0;
    logFont.italic = 0;
    logFont.underline = 1;
    logFont.strikeOut = 0;
    font = host::playback::substituteFont(logFont).font;
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
}

// The window takes the same stand-ins; a face the table does not know is its own.
TEST(FaceStandIn, KnowsTheDesignedFacesInAnyCaseAndLeavesOthersAlone) {
    EXPECT_EQ(host::playback::standInFace(u"MS Sans Serif"), u"Liberation Sans");
    EXPECT_EQ(host::playback::standInFace(u"ms sans serif"), u"Liberation Sans");
    EXPECT_EQ(host::playback::standInFace(u"ARIAL TUR"), u"Liberation Sans");
    EXPECT_EQ(host::playback::standInFace(u"DejaVu Sans"), u"DejaVu Sans");
    EXPECT_EQ(host::playback::standInFace(u"Tur"), u"Tur");
}

} // namespace
} // namespace dorvek::test
