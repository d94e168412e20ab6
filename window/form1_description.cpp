#include "form1_description.h"

#include "command1_click.h"
#include "curve_picture.h"
#include "form1_icon.h"

#include <array>

namespace dorvek::window {
namespace {

using host::Colour;
using host::ControlDescription;
using host::ControlKind;
using host::Stacking;

constexpr Colour blue = Colour::rgb(0, 0, 255);
constexpr int scrollBarColour = 0;
constexpr int windowBackgroundColour = 5;

// The controls in focus order, then the two that take no part in it.
std::array<ControlDescription, 7> form1Controls(std::span<const std::byte> curve) {
    return {{
        {
            .kind = ControlKind::TextBox,
            .name = "Text2",
            .element = 0,
            .frame = {240, 3000, 495, 195},
            .text = "-5,00",
            .focusOrder = 0,
            .stacking = Stacking::OnTop,
            .accessibleName = "Alt sınır",
        },
        {
            .kind = ControlKind::CommandButton,
            .name = "Command1",
            .frame = {5160, 360, 735, 220},
            .text = "Sonuç",
            .focusOrder = 1,
            .stacking = Stacking::OnTop,
            .accessibleName = "Sonuç",
        },
        {
            .kind = ControlKind::TextBox,
            .name = "Text1",
            .frame = {4680, 120, 1215, 195},
            .text = "",
            .font =
                host::FontDescription{
                    .face = "MS Sans Serif", .points = 8.25, .weight = 700, .characterSet = 162},
            .background = Colour::system(scrollBarColour),
            .foreground = blue,
            .focusOrder = 2,
            .stacking = Stacking::OnTop,
            .readOnly = true, // it shows results; it still takes the focus, to be read or copied
            .accessibleName = "Olasılık",
            .announcesText = true,
        },
        {
            .kind = ControlKind::TextBox,
            .name = "Text2",
            .element = 1,
            .frame = {5280, 3000, 495, 195},
            .text = "5,00",
            .focusOrder = 3,
            .stacking = Stacking::OnTop,
            .accessibleName = "Üst sınır",
        },
        {
            .kind = ControlKind::Label,
            .name = "Label1",
            .frame = {120, 0, 1935, 195},
            .text = "Standart normal olasılığı",
            .background = Colour::system(windowBackgroundColour),
            .foreground = blue,
            .focusOrder = 4, // a label never takes the focus
            .stacking = Stacking::OverPicture,
            .accessibleName = "Standart normal olasılığı",
        },
        {
            .kind = ControlKind::Shape,
            .name = "Shape1",
            .frame = {3000, 120, 495, 3195},
            .stacking = Stacking::OverPicture, // decoration: screen readers are not told of it
            .shape = {.colour = Colour::rgb(0, 192, 192), .style = 7},
        },
        {
            .kind = ControlKind::Image,
            .name = "Image1",
            .frame = {-240, -120, 6540, 3900},
            .stacking = Stacking::Backdrop,
            .accessibleName = "Standart normal dağılımın eğrisi",
            .picture = curve,
        },
    }};
}

constexpr std::array<host::EventHandlerDescription, 1> eventHandlers = {{
    {.control = "Command1", .event = host::ControlEvent::Click, .handler = &Command1_Click},
}};

} // namespace

const host::FormDescription& form1Description() {
    static const std::array<ControlDescription, 7> controls = form1Controls(curvePicture());
    static const host::FormDescription form = {
        .name = "Form1",
        .caption = "Dorvek Dağılım",
        .clientWidth = 6210,
        .clientHeight = 3675,
        .icon = form1Icon(),
        .controls = controls,
        .eventHandlers = eventHandlers,
    };
    return form;
}

} // namespace dorvek::window
