#pragma once

#include "event_dispatch.h"

#include <memory>

namespace dorvek::host {

class FormWindow;
struct ProgramDescription;

// Starts the program: creates the application, builds and shows the start-up form,
// runs the event loop and ends the process with the loop's status. Qt's own options
// aside, the program reads no arguments.
[[noreturn]] void start(const ProgramDescription& program, int argc, char** argv);

// The steps of start before the event loop, for tests that drive the window
// themselves and see its errors through their own reporter. Both need the
// application to exist. Preparing it names it and has Qt's own texts speak Turkish.
void prepareApplication(const ProgramDescription& program);
std::unique_ptr<FormWindow> buildStartupForm(const ProgramDescription& program,
                                             ErrorReporter report = reportError);

} // namespace dorvek::host
