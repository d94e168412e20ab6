#include "host/emf_format/emf_types.h"
#include "host/playback/font_substitution.h"
#include "tests/support/picture_playing.h"

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
    ensureGuiApplication();
    host::emf::LogFont logFont;
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
    ensureGuiApplication();
    host::emf::LogFont logFont;
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

} // namespace
} // namespace dorvek::test
