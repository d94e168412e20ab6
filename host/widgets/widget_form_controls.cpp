#include "widget_form_controls.h"

#include "host/runtime/error.h"
#include "host/runtime/program_description.h"

#include <QLineEdit>

namespace dorvek::host {

void WidgetFormControls::add(std::string_view name, std::optional<int> element, ControlKind kind,
                             QWidget* widget) {
    entries_.push_back({std::string(name), element, kind, widget});
}

const WidgetFormControls::Entry* WidgetFormControls::find(std::string_view name,
                                                          std::optional<int> element) const {
    for (const Entry& entry : entries_) {
        if (entry.name == name && entry.element == element) {
            return &entry;
        }
    }
    return nullptr;
}

QWidget* WidgetFormControls::widget(std::string_view name, std::optional<int> element) const {
    const Entry* entry = find(name, element);
    return entry != nullptr ? entry->widget : nullptr;
}

QLineEdit* WidgetFormControls::textBox(std::string_view name, std::optional<int> element) const {
    const Entry* entry = find(name, element);
    if (entry == nullptr || entry->kind != ControlKind::TextBox) {
        raise(ErrorKind::ControlCallFailed);
    }
    return static_cast<QLineEdit*>(entry->widget);
}

QString WidgetFormControls::text(std::string_view name, std::optional<int> element) {
    return textBox(name, element)->text();
}

void WidgetFormControls::setText(std::string_view name, std::optional<int> element,
                                 const QString& text) {
    textBox(name, element)->setText(text);
}

} // namespace dorvek::host
