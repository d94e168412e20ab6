#include "host/runtime/program_description.h"
#include "host/widgets/form_fonts.h"
#include "host/widgets/system_colours.h"
#include "host/widgets/twips.h"
#include "tests/support/test_application.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <stdexcept>

namespace dorvek::host {
namespace {

struct TwipFrame {
    const char* label;
    TwipRect twips;
    QRect pixels;
};

class TwipFrameTest : public ::testing::TestWithParam<TwipFrame> {};

TEST_P(TwipFrameTest, EdgesRoundToTheNearestPixel) {
    EXPECT_EQ(pixelRect(GetParam().twips), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, TwipFrameTest,
    ::testing::Values(TwipFrame{"whole_pixels", {240, 3000, 495, 195}, {16, 200, 33, 13}},
                      TwipFrame{"far_edge_rounds_up", {5160, 360, 735, 220}, {344, 24, 49, 15}},
                      TwipFrame{"far_edge_rounds_down", {0, 0, 22, 37}, {0, 0, 1, 2}},
                      TwipFrame{
                          "overhang_left_and_top", {-240, -120, 6540, 3900}, {-16, -8, 436, 260}},
                      TwipFrame{"negative_part_pixel", {-22, -8, 30, 30}, {-1, -1, 2, 2}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ClientArea, SizeInPixels) {
    EXPECT_EQ(pixelSize(6210, 3675), QSize(414, 245));
}

// A palette whose every entry differs, so a colour found tells where it came from.
QPalette distinctPalette() {
    QPalette palette;
    int shade = 1;
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            palette.setColor(group, static_cast<QPalette::ColorRole>(role), QColor::fromRgb(shade));
            ++shade;
        }
    }
    return palette;
}

struct SystemColourRow {
    const char* label;
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

class SystemColourTest : public ::testing::TestWithParam<SystemColourRow> {
protected:
    void SetUp() override { test::testApplication(); }
};

TEST_P(SystemColourTest, IndexTakesItsPaletteEntry) {
    const QPalette palette = distinctPalette();
    const std::optional<QColor> colour = resolveColour(Colour::system(GetParam().index), palette);
    ASSERT_TRUE(colour);
    EXPECT_EQ(*colour, palette.color(GetParam().group, GetParam().role));
}

INSTANTIATE_TEST_SUITE_P(
    Indices, SystemColourTest,
    ::testing::Values(SystemColourRow{"scroll_bar", 0, QPalette::Active, QPalette::Midlight},
                      SystemColourRow{"window_background", 5, QPalette::Active, QPalette::Base}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(SystemColours, EveryIndexOfThePlatformIsMappedAndNoOther) {
    for (int index = -1; index <= 31; ++index) {
        const bool named = index >= 0 && index <= 30 && index != 25;
        EXPECT_EQ(systemColourSource(index).has_value(), named) << "index " << index;
    }
}

TEST(SystemColours, PlainAndDefaultColours) {
    const QPalette palette = distinctPalette();
    EXPECT_EQ(resolveColour(Colour::rgb(0, 0, 255), palette), QColor(0, 0, 255));
    EXPECT_FALSE(resolveColour(Colour::byDefault(), palette).has_value());
    EXPECT_THROW(resolveColour(Colour::system(31), palette), std::invalid_argument);
}

// Found, not merely asked for: otherwise fontconfig picks some other face.
TEST(Fonts, DesignedFacesFallBackToAFaceThatIsInstalled) {
    test::testApplication();
    EXPECT_EQ(QFontInfo(windowDefaultFont()).family(), u"Liberation Sans");
    const FontDescription arialTurkish{.face = "Arial Tur", .points = 8.25, .weight = 700};
    EXPECT_EQ(QFontInfo(describedFont(arialTurkish)).family(), u"Liberation Sans");
    EXPECT_TRUE(describedFont(arialTurkish).bold());
}

} // namespace
} // namespace dorvek::host
