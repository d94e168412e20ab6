#include "system_colours.h"

#include "host/runtime/program_description.h"
#include "palette_accent.h"

#include <array>
#include <stdexcept>
#include <string>

namespace dorvek::host {
namespace {

struct SystemColourEntry {
    int index;
    const char* name; // the platform's own name for the colour
    QRgb value;
};

// The standard colour scheme of the platform's 32-bit releases of the runtime's time,
// as its control panel ships it: the greys of the 3-D look, white edit fields, navy
// selections. Entries that later releases added take the values of their classic
// scheme. Index 25 names no colour.
constexpr std::array<SystemColourEntry, 30> systemColours = {{
    {0, "scroll bar", qRgb(192, 192, 192)},
    {1, "desktop", qRgb(0, 128, 128)},
    {2, "active caption", qRgb(0, 0, 128)},
    {3, "inactive caption", qRgb(128, 128, 128)},
    {4, "menu", qRgb(192, 192, 192)},
    {5, "window background", qRgb(255, 255, 255)},
    {6, "window frame", qRgb(0, 0, 0)},
    {7, "menu text", qRgb(0, 0, 0)},
    {8, "window text", qRgb(0, 0, 0)},
    {9, "active caption text", qRgb(255, 255, 255)},
    {10, "active border", qRgb(192, 192, 192)},
    {11, "inactive border", qRgb(192, 192, 192)},
    {12, "application workspace", qRgb(128, 128, 128)},
    {13, "highlight", qRgb(0, 0, 128)},
    {14, "highlighted text", qRgb(255, 255, 255)},
    {15, "button face", qRgb(192, 192, 192)},
    {16, "button shadow", qRgb(128, 128, 128)},
    {17, "grey text", qRgb(128, 128, 128)},
    {18, "button text", qRgb(0, 0, 0)},
    {19, "inactive caption text", qRgb(192, 192, 192)},
    {20, "button highlight", qRgb(255, 255, 255)},
    {21, "3-D dark shadow", qRgb(0, 0, 0)},
    {22, "3-D light", qRgb(192, 192, 192)},
    {23, "tool tip text", qRgb(0, 0, 0)},
    {24, "tool tip background", qRgb(255, 255, 225)},
    {26, "hot-tracked item", qRgb(0, 0, 255)},
    {27, "active caption gradient", qRgb(16, 132, 208)},
    {28, "inactive caption gradient", qRgb(192, 192, 192)},
    {29, "menu highlight", qRgb(0, 0, 128)},
    {30, "menu bar", qRgb(192, 192, 192)},
}};

constexpr int windowBackground = 5;
constexpr int windowText = 8;
constexpr int highlight = 13;
constexpr int highlightedText = 14;
constexpr int buttonFace = 15;
constexpr int buttonShadow = 16;
constexpr int greyText = 17;
constexpr int buttonText = 18;
constexpr int buttonHighlight = 20;
constexpr int darkShadow = 21;
constexpr int light3d = 22;
constexpr int toolTipText = 23;
constexpr int toolTipBackground = 24;
constexpr int hotTracked = 26;

struct RoleColour {
    QPalette::ColorRole role;
    int index;
};

// Every colour role of Qt 6.4 (newer ones below), as the platform itself draws the same parts:
// windows and dialogs on the button face, edit fields on the window background.
constexpr std::array<RoleColour, 20> roleColours = {{
    {QPalette::WindowText, buttonText},    {QPalette::Button, buttonFace},
    {QPalette::Light, buttonHighlight},    {QPalette::Midlight, light3d},
    {QPalette::Dark, buttonShadow},        {QPalette::Mid, buttonShadow},
    {QPalette::Text, windowText},          {QPalette::BrightText, buttonHighlight},
    {QPalette::ButtonText, buttonText},    {QPalette::Base, windowBackground},
    {QPalette::Window, buttonFace},        {QPalette::Shadow, darkShadow},
    {QPalette::Highlight, highlight},      {QPalette::HighlightedText, highlightedText},
    {QPalette::Link, hotTracked},          {QPalette::LinkVisited, hotTracked},
    {QPalette::AlternateBase, buttonFace}, {QPalette::ToolTipBase, toolTipBackground},
    {QPalette::ToolTipText, toolTipText},  {QPalette::PlaceholderText, greyText},
}};

// Disabled controls: grey text, and edit fields on the button face.
constexpr std::array<RoleColour, 4> disabledRoleColours = {{
    {QPalette::WindowText, greyText},
    {QPalette::Text, greyText},
    {QPalette::ButtonText, greyText},
    {QPalette::Base, buttonFace},
}};

QColor knownSystemColour(int index) {
    return *systemColour(index);
}

} // namespace

std::optional<QColor> systemColour(int index) {
    for (const SystemColourEntry& entry : systemColours) {
        if (entry.index == index) {
            return QColor(entry.value);
        }
    }
    return std::nullopt;
}

std::optional<QColor> resolveColour(const Colour& colour) {
    switch (colour.source) {
    case Colour::Source::Default:
        return std::nullopt;
    case Colour::Source::Rgb:
        return QColor(colour.red, colour.green, colour.blue);
    case Colour::Source::System:
        if (const std::optional<QColor> value = systemColour(colour.systemIndex)) {
            return value;
        }
        throw std::invalid_argument("no system colour has the index " +
                                    std::to_string(colour.systemIndex));
    }
    return std::nullopt;
}

QPalette classicPalette() {
    QPalette palette;
    for (const RoleColour& entry : roleColours) {
        palette.setColor(entry.role, knownSystemColour(entry.index));
    }
    for (const RoleColour& entry : disabledRoleColours) {
        palette.setColor(QPalette::Disabled, entry.role, knownSystemColour(entry.index));
    }
    // Newer Qt has an accent colour too; the platform's nearest is the highlight.
    setAccent(palette, knownSystemColour(highlight));
    return palette;
}

} // namespace dorvek::host
