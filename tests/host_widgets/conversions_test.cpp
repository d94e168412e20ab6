#include "host/runtime/program_description.h"
#include "host/widgets/form_fonts.h"
#include "host/widgets/system_colours.h"
#include "host/widgets/twips.h"
#include "tests/support/classic_colour_scheme.h"
#include "tests/support/test_application.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>
#include <map>
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
                      // 0.4 and 1.4 pixels from 0.4: the far edge at 1.8 makes it 2 wide.
                      TwipFrame{"edges_round_apart", {6, 6, 21, 21}, {0, 0, 2, 2}},
                      TwipFrame{
                          "overhang_left_and_top", {-240, -120, 6540, 3900}, {-16, -8, 436, 260}},
                      TwipFrame{"negative_part_pixel", {-22, -8, 30, 30}, {-1, -1, 2, 2}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(ClientArea, SizeInPixels) {
    EXPECT_EQ(pixelSize(6210, 3675), QSize(414, 245));
}

// The platform's standard scheme, index by index; 25 names no colour, nor does an
// index beyond either end.
TEST(SystemColours, FollowTheStandardSchemeIndexByIndex) {
    namespace classic = test::classic;
    const std::map<int, test::Rgb> scheme = {
        {0, classic::scrollBar},
        {1, classic::desktop},
        {2, classic::activeCaption},
        {3, classic::inactiveCaption},
        {4, classic::menu},
        {5, classic::windowBackground},
        {6, classic::windowFrame},
        {7, classic::menuText},
        {8, classic::windowText},
        {9, classic::activeCaptionText},
        {10, classic::activeBorder},
        {11, classic::inactiveBorder},
        {12, classic::applicationWorkspace},
        {13, classic::highlight},
        {14, classic::highlightedText},
        {15, classic::buttonFace},
        {16, classic::buttonShadow},
        {17, classic::greyText},
        {18, classic::buttonText},
        {19, classic::inactiveCaptionText},
        {20, classic::buttonHighlight},
        {21, classic::darkShadow3d},
        {22, classic::light3d},
        {23, classic::toolTipText},
        {24, classic::toolTipBackground},
        {26, classic::hotTrackedItem},
        {27, classic::activeCaptionGradient},
        {28, classic::inactiveCaptionGradient},
        {29, classic::menuHighlight},
        {30, classic::menuBar},
    };
    for (int index = -1; index <= 31; ++index) {
        const std::optional<QColor> colour = systemColour(index);
        if (scheme.contains(index)) {
            ASSERT_TRUE(colour.has_value()) << "index " << index;
            EXPECT_EQ(test::rgbOf(*colour), scheme.at(index)) << "index " << index;
        } else {
            EXPECT_FALSE(colour.has_value()) << "index " << index;
        }
    }
}

TEST(SystemColours, PlainDefaultAndUnknownColours) {
    EXPECT_EQ(resolveColour(Colour::rgb(0, 0, 255)), QColor(0, 0, 255));
    EXPECT_EQ(resolveColour(Colour::system(5)), QColor(255, 255, 255));
    EXPECT_FALSE(resolveColour(Colour::byDefault()).has_value());
    EXPECT_THROW(resolveColour(Colour::system(31)), std::invalid_argument);
}

// Sets the application's palette for the life of the object, as a desktop theme does.
class ScopedApplicationPalette {
public:
    explicit ScopedApplicationPalette(const QPalette& palette)
        : previous_(QApplication::palette()) {
        QApplication::setPalette(palette);
    }
    ~ScopedApplicationPalette() { QApplication::setPalette(previous_); }
    ScopedApplicationPalette(const ScopedApplicationPalette&) = delete;
    ScopedApplicationPalette& operator=(const ScopedApplicationPalette&) = delete;

private:
    QPalette previous_;
};

// Every entry of the window's palette is the host's own: none comes from the desktop.
TEST(SystemColours, ClassicPaletteIsTheSameUnderAnyDesktopPalette) {
    test::testApplication();
    QPalette light;
    QPalette dark;
    {
        const ScopedApplicationPalette desktop(QPalette(QColor(240, 240, 240)));
        light = classicPalette();
    }
    {
        const ScopedApplicationPalette desktop(QPalette(QColor(40, 40, 40), QColor(30, 30, 30)));
        dark = classicPalette();
    }
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            if (role == QPalette::NoRole) {
                continue;
            }
            const auto colourRole = static_cast<QPalette::ColorRole>(role);
            EXPECT_EQ(light.color(group, colourRole), dark.color(group, colourRole))
                << "group " << group << " role " << role;
        }
    }
    EXPECT_EQ(dark.color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_EQ(dark.color(QPalette::Button), QColor(192, 192, 192));
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
