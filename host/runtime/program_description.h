#pragma once

// The program's description: the data the host's start turns into a running window.
// Plain data with no widget types, so the window's table can be written, read and
// tested without a display. Texts are UTF-8; positions are in twips. Every field has
// a default, so a description names only the fields it sets.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace dorvek::host {

class FormControls;

// A colour as a description gives it: the host's default, a plain RGB value, or a
// system colour named by its index (the host gives each index its value).
struct Colour {
    enum class Source : std::uint8_t { Default, Rgb, System };

    Source source = Source::Default;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    int systemIndex = 0;

    static constexpr Colour byDefault() { return {}; } // for tables that say so outright
    static constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return {Source::Rgb, red, green, blue, 0};
    }
    static constexpr Colour system(int index) { return {Source::System, 0, 0, 0, index}; }
};

// A font chosen by face, size, weight and character set; the host picks a face it
// has where the named one is missing.
struct FontDescription {
    std::string_view face{};
    double points = 8.25;
    int weight = 400; // 400 regular, 700 bold
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int characterSet = 0; // 162 is Turkish
};

// A rectangle in twips, from the top-left corner of the client area, y downwards.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class ControlKind : std::uint8_t { TextBox, CommandButton, Label, Shape, Image };

// Controls of a higher layer are drawn over those of a lower one.
enum class Stacking : std::uint8_t { Backdrop, OverPicture, OnTop };

// How a shape carries its colour and its one drawing-style value; the host decides
// what the style value draws.
struct ShapeLook {
    Colour colour{};
    int style = 0;
};

struct ControlDescription {
    ControlKind kind = ControlKind::TextBox;
    std::string_view name{};
    std::optional<int> element{}; // the element number within a control array
    TwipRect frame{};
    std::string_view text{};               // a text box's start text, or a caption
    std::optional<FontDescription> font{}; // none: the window's default font
    Colour background{};
    Colour foreground{};
    // Tab follows ascending focus numbers; a kind that never takes the focus may
    // still carry one, and is passed over.
    std::optional<int> focusOrder{};
    Stacking stacking = Stacking::OnTop;
    bool readOnly = false;
    std::string_view accessibleName{};
    // A text box whose text screen readers announce after each event handled without
    // error: where a result appears away from the focus.
    bool announcesText = false;
    ShapeLook shape{};
    std::span<const std::byte> picture{}; // an enhanced metafile, scaled to the frame
};

// One icon image: 4-bit indices into the standard 16-colour palette, two pixels a
// byte with the left one in the high nibble, and a 1-bit mask, eight pixels a byte
// with the left one in the high bit, where a set bit means transparent. Rows run top
// to bottom, each padded to a whole byte.
struct IconImage {
    int size = 0; // width and height in pixels
    std::span<const std::uint8_t> colourIndices{};
    std::span<const std::uint8_t> transparencyMask{};
};

// A point of an icon's outline, on the square the outline is drawn in, y downwards.
struct IconPoint {
    double x = 0;
    double y = 0;
};

// An icon as one closed polygon filled with a colour of the images' palette: the same
// picture for the sizes that have no pixel image, and for themes that scale.
struct IconOutline {
    double side = 0; // the side of the square the points lie in
    std::span<const IconPoint> points{};
    std::uint8_t colourIndex = 0;
};

enum class ControlEvent : std::uint8_t { Click };

// The program's code for an event; it reaches the window only through FormControls.
using EventHandler = void (*)(FormControls& controls);

struct EventHandlerDescription {
    std::string_view control{};
    std::optional<int> element{};
    ControlEvent event = ControlEvent::Click;
    EventHandler handler = nullptr;
};

struct FormDescription {
    std::string_view name{};
    std::string_view caption{};
    int clientWidth = 0; // twips
    int clientHeight = 0;
    std::span<const IconImage> icon{};
    std::span<const ControlDescription> controls{};
    std::span<const EventHandlerDescription> eventHandlers{};
};

struct ProgramDescription {
    std::string_view title{}; // for people: the error box's title
    // For the desktop, plain ASCII: the name window managers read as the window's class
    // and the name of the desktop entry that launches the program.
    std::string_view name{};
    std::string_view desktopEntry{};
    std::string_view version{};
    const FormDescription* startupForm = nullptr;
};

} // namespace dorvek::host
