#pragma once

#include "host/runtime/number_locale.h"
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

// The modal box that reports an error: the program's title, the error's Turkish
// message and its number for reference, and one button to close it.
void reportError(const Error& error, QWidget* window, const QString& programTitle);

// The text of that box, numbers written as the user's locale writes them.
QString errorReportText(const Error& error);
// The same under a given locale:
//
//     «abc» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.
//
//     Hata numarası: 13
QString errorReportText(const Error& error, const NumberLocale& locale);

} // namespace dorvek::host
