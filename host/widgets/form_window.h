#pragma once

#include "event_dispatch.h"
#include "widget_form_controls.h"

#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;

namespace dorvek::host {

struct FormDescription;
struct ProgramDescription;

// A window built from its description: a fixed-size client area holding the
// described controls, stacked by layer, in the described Tab order, with the event
// handlers wired to their controls and their errors handed to report.
class FormWindow : public QWidget {
public:
    FormWindow(const ProgramDescription& program, const FormDescription& form,
               ErrorReporter report = reportError);

    // The window's controls as the program's code reaches them.
    FormControls& controls() { return controls_; }

    // The widget that shows a control, or null when there is no such control.
    QWidget* control(std::string_view name, std::optional<int> element = std::nullopt) const {
        return controls_.widget(name, element);
    }

private:
    void addControls(const FormDescription& form);
    void connectEventHandlers(const FormDescription& form);
    void announceTexts() const;

    QString programTitle_;
    ErrorReporter report_;
    WidgetFormControls controls_;
    std::vector<QLineEdit*> announced_; // text boxes whose text is announced after an event
};

} // namespace dorvek::host
