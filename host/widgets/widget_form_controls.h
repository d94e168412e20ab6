#pragma once

#include "host/runtime/form_controls.h"

#include <cstdint>
#include <string>
#include <vector>

class QLineEdit;
class QWidget;

namespace dorvek::host {

enum class ControlKind : std::uint8_t;

// FormControls over a window's widgets, found by name and element number.
class WidgetFormControls : public FormControls {
public:
    void add(std::string_view name, std::optional<int> element, ControlKind kind, QWidget* widget);

    // The widget of a control, or null when the window has none of that name.
    QWidget* widget(std::string_view name, std::optional<int> element) const;

    QString text(std::string_view name, std::optional<int> element) override;
    void setText(std::string_view name, std::optional<int> element, const QString& text) override;

private:
    struct Entry {
        std::string name;
        std::optional<int> element;
        ControlKind kind;
        QWidget* widget;
    };

    const Entry* find(std::string_view name, std::optional<int> element) const;
    // The text box of that name; raises ControlCallFailed for any other control.
    QLineEdit* textBox(std::string_view name, std::optional<int> element) const;

    std::vector<Entry> entries_;
};

} // namespace dorvek::host
