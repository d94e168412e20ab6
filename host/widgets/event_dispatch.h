#pragma once

#include "host/runtime/program_description.h"

#include <QString>
#include <functional>

class QWidget;

namespace dorvek::host {

class Error;

// How an error that ends an event is reported. The window uses reportError; a test
// puts in a reporter it can read, so an error never waits for a person to close a box.
using ErrorReporter =
    std::function<void(const Error& error, QWidget* window, const QString& programTitle)>;

// Runs an event handler of the program. An error that leaves it ends the event, not
// the program: it is reported and the program goes on, with the boxes as the handler
// left them. Returns whether the handler ended without an error.
bool dispatchEvent(EventHandler handler, FormControls& controls, QWidget* window,
                   const QString& programTitle, const ErrorReporter& report);

// The modal box that reports an error: the program's title, the error's number and
// its Turkish message, and one button to close it.
void reportError(const Error& error, QWidget* window, const QString& programTitle);

// The text of that box.
QString errorReportText(const Error& error);

} // namespace dorvek::host
