#pragma once

#include <QString>
#include <optional>
#include <string_view>

namespace dorvek::host {

// The host's operations on a window's controls that the program's code may use. A
// control is named as in the window's description: its name, and its element number
// when it belongs to a control array. A call the window cannot carry out (no such
// control, or one of a kind without a text) raises ControlCallFailed.
class FormControls {
public:
    virtual ~FormControls() = default;

    virtual QString text(std::string_view name, std::optional<int> element) = 0;
    virtual void setText(std::string_view name, std::optional<int> element,
                         const QString& text) = 0;
};

} // namespace dorvek::host
