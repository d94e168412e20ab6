#include "system_colours.h"

#include "host/runtime/program_description.h"

#include <array>
#include <stdexcept>
#include <string>

namespace dorvek::host {
namespace {

constexpr QPalette::ColorGroup active = QPalette::Active;
constexpr QPalette::ColorGroup inactive = QPalette::Inactive;
constexpr QPalette::ColorGroup disabled = QPalette::Disabled;

struct SystemColourEntry {
    int index;
    const char* name; // the platform's own name for the colour
    SystemColourSource source;
};

// Every system colour index and the palette entry that stands for it. Qt has no role
// for the scroll bar's track, the desktop or window captions: the scroll bar takes
// Midlight, the light grey between a button's face and its highlight, the desktop and
// the application workspace take Dark, and captions take the selection colours, as
// the active caption is drawn in the highlight colour. Index 25 names no colour.
constexpr std::array<SystemColourEntry, 30> systemColours = {{
    {0, "scroll bar", {active, QPalette::Midlight}},
    {1, "desktop", {active, QPalette::Dark}},
    {2, "active caption", {active, QPalette::Highlight}},
    {3, "inactive caption", {inactive, QPalette::Highlight}},
    {4, "menu", {active, QPalette::Window}},
    {5, "window background", {active, QPalette::Base}},
    {6, "window frame", {active, QPalette::Shadow}},
    {7, "menu text", {active, QPalette::WindowText}},
    {8, "window text", {active, QPalette::Text}},
    {9, "active caption text", {active, QPalette::HighlightedText}},
    {10, "active border", {active, QPalette::Window}},
    {11, "inactive border", {inactive, QPalette::Window}},
    {12, "application workspace", {active, QPalette::Dark}},
    {13, "highlight", {active, QPalette::Highlight}},
    {14, "highlighted text", {active, QPalette::HighlightedText}},
    {15, "button face", {active, QPalette::Button}},
    {16, "button shadow", {active, QPalette::Dark}},
    {17, "grey text", {disabled, QPalette::Text}},
    {18, "button text", {active, QPalette::ButtonText}},
    {19, "inactive caption text", {inactive, QPalette::HighlightedText}},
    {20, "button highlight", {active, QPalette::Light}},
    {21, "3-D dark shadow", {active, QPalette::Shadow}},
    {22, "3-D light", {active, QPalette::Midlight}},
    {23, "tool tip text", {active, QPalette::ToolTipText}},
    {24, "tool tip background", {active, QPalette::ToolTipBase}},
    {26, "hot-tracked item", {active, QPalette::Link}},
    {27, "active caption gradient", {active, QPalette::Highlight}},
    {28, "inactive caption gradient", {inactive, QPalette::Highlight}},
    {29, "menu highlight", {active, QPalette::Highlight}},
    {30, "menu bar", {active, QPalette::Window}},
}};

} // namespace

std::optional<SystemColourSource> systemColourSource(int index) {
    for (const SystemColourEntry& entry : systemColours) {
        if (entry.index == index) {
            return entry.source;
        }
    }
    return std::nullopt;
}

std::optional<QColor> resolveColour(const Colour& colour, const QPalette& palette) {
    switch (colour.source) {
    case Colour::Source::Default:
        return std::nullopt;
    case Colour::Source::Rgb:
        return QColor(colour.red, colour.green, colour.blue);
    case Colour::Source::System:
        if (const std::optional<SystemColourSource> source =
                systemColourSource(colour.systemIndex)) {
            return palette.color(source->group, source->role);
        }
        throw std::invalid_argument("no system colour has the index " +
                                    std::to_string(colour.systemIndex));
    }
    return std::nullopt;
}

} // namespace dorvek::host
