#pragma once

#include <QString>

class QWidget;

namespace dorvek::host {

class Error;
class FormControls;
using EventHandler = void (*)(FormControls& controls);

// Runs an event handler of the program. An error that leaves it ends the event, not
// the program: it is reported in a modal box over the window and the program goes
// on, with the boxes as the handler left them.
void dispatchEvent(EventHandler handler, FormControls& controls, QWidget* window,
                   const QString& programTitle);

// The modal box that reports an error: the program's title, the error's number and
// its Turkish message, and one button to close it.
void reportError(const Error& error, QWidget* window, const QString& programTitle);

// The text of that box.
QString errorReportText(const Error& error);

} // namespace dorvek::host
