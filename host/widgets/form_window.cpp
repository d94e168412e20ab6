#include "form_window.h"

#include "announcement.h"
#include "command_button.h"
#include "event_dispatch.h"
#include "form_fonts.h"
#include "form_icon.h"
#include "host/runtime/program_description.h"
#include "image_control.h"
#include "shape_control.h"
#include "system_colours.h"
#include "text_box.h"
#include "twips.h"
#include "utf8_text.h"
#include "window_flags.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace dorvek::host {
namespace {

QString displayName(const ControlDescription& control) {
    QString name = fromUtf8(control.name);
    if (control.element) {
        name += QStringLiteral("(%1)").arg(*control.element);
    }
    return name;
}

// Sets a palette role from a described colour, leaving the host's default where the
// description gives none.
void applyColour(QPalette& palette, QPalette::ColorRole role, const Colour& colour) {
    if (const std::optional<QColor> resolved = resolveColour(colour)) {
        palette.setColor(role, *resolved);
    }
}

// A control's described background and text colours, in the roles its kind paints them.
void applyColours(QWidget* widget, const ControlDescription& control,
                  QPalette::ColorRole background, QPalette::ColorRole text) {
    QPalette palette = widget->palette();
    applyColour(palette, background, control.background);
    applyColour(palette, text, control.foreground);
    widget->setPalette(palette);
}

QWidget* makeTextBox(const ControlDescription& control, QWidget* parent) {
    auto* box = new TextBox(fromUtf8(control.text), parent);
    // A frame drawn inside a 13-pixel box would leave no room for the text.
    box->setFrame(false);
    box->setReadOnly(control.readOnly);
    applyColours(box, control, QPalette::Base, QPalette::Text);
    return box;
}

QWidget* makeButton(const ControlDescription& control, QWidget* parent) {
    auto* button = new CommandButton(fromUtf8(control.text), parent);
    applyColours(button, control, QPalette::Button, QPalette::ButtonText);
    return button;
}

QWidget* makeLabel(const ControlDescription& control, QWidget* parent) {
    auto* label = new QLabel(fromUtf8(control.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    applyColours(label, control, QPalette::Window, QPalette::WindowText);
    // A label with a colour of its own paints it; otherwise the picture shows through.
    label->setAutoFillBackground(control.background.source != Colour::Source::Default);
    return label;
}

QWidget* makeControl(const ControlDescription& control, QWidget* parent) {
    switch (control.kind) {
    case ControlKind::TextBox:
        return makeTextBox(control, parent);
    case ControlKind::CommandButton:
        return makeButton(control, parent);
    case ControlKind::Label:
        return makeLabel(control, parent);
    case ControlKind::Shape:
        return new ShapeControl(control.shape, parent);
    case ControlKind::Image:
        return new ImageControl(control.picture, parent);
    }
    throw std::invalid_argument("unknown control kind");
}

bool takesFocus(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::CommandButton;
}

} // namespace

FormWindow::FormWindow(const ProgramDescription& program, const FormDescription& form,
                       ErrorReporter report)
    : programTitle_(fromUtf8(program.title)), report_(std::move(report)) {
    setObjectName(fromUtf8(form.name));
    setWindowTitle(fromUtf8(form.caption));
    setWindowIcon(iconFromImages(form.icon));
    setFont(windowDefaultFont());
    // The host's fixed light colours, not the desktop theme's; the controls inherit
    // them. Dialogs such as the error box are windows of their own and follow the desktop.
    setPalette(classicPalette());
    // Nothing in the window follows a change of its size, so it offers none.
    setFixedSize(pixelSize(form.clientWidth, form.clientHeight));
    setWindowFlags(fixedSizeWindowFlags(Qt::Window));
    addControls(form);
    connectEventHandlers(form);
}

void FormWindow::addControls(const FormDescription& form) {
    // Created bottom layer first: Qt stacks later siblings over earlier ones.
    std::vector<const ControlDescription*> byLayer;
    for (const ControlDescription& control : form.controls) {
        byLayer.push_back(&control);
    }
    std::stable_sort(byLayer.begin(), byLayer.end(),
                     [](const auto* a, const auto* b) { return a->stacking < b->stacking; });

    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ControlDescription* control : byLayer) {
        QWidget* widget = makeControl(*control, this);
        widget->setObjectName(displayName(*control));
        widget->setGeometry(pixelRect(control->frame));
        if (control->font) {
            widget->setFont(describedFont(*control->font));
        }
        if (!control->accessibleName.empty()) {
            widget->setAccessibleName(fromUtf8(control->accessibleName));
        }
        if (takesFocus(control->kind) && control->focusOrder) {
            focusOrder.emplace_back(*control->focusOrder, widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (control->announcesText) {
            announced_.push_back(qobject_cast<QLineEdit*>(widget));
        }
        controls_.add(control->name, control->element, control->kind, widget);
    }

    std::stable_sort(focusOrder.begin(), focusOrder.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    }
    if (!focusOrder.empty()) {
        QWidget* first = focusOrder.front().second;
        first->setFocus();
        // Entered as Tab enters it, with its text selected, so that typing at start-up
        // replaces the shipped bound instead of adding to it.
        if (auto* box = qobject_cast<QLineEdit*>(first)) {
            box->selectAll();
        }
    }
}

void FormWindow::connectEventHandlers(const FormDescription& form) {
    for (const EventHandlerDescription& description : form.eventHandlers) {
        auto* button =
            qobject_cast<QPushButton*>(control(description.control, description.element));
        if (button == nullptr || description.event != ControlEvent::Click ||
            description.handler == nullptr) {
            throw std::invalid_argument("no command button " + std::string(description.control) +
                                        " to handle a click");
        }
        const EventHandler handler = description.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] {
            if (dispatchEvent(handler, controls_, this, programTitle_, report_)) {
                announceTexts();
            }
        });
    }
}

// Announced with the box's name, as a screen reader would read the box itself.
void FormWindow::announceTexts() const {
    for (QLineEdit* box : announced_) {
        if (box != nullptr) {
            announce(box, QStringLiteral("%1: %2").arg(box->accessibleName(), box->text()));
        }
    }
}

} // namespace dorvek::host
