#pragma once

#include <string_view>

namespace dorvek::host {

// Watches the application's start. When the window system cannot be reached (no
// display, a wrong one), Qt ends the process with abort() after an English message that
// suggests reinstalling; while the guard lives, the user gets one Turkish line naming
// the display instead, and status 1. Qt's other messages from the start are held and
// passed on, in order, when the guard ends.
class StartupFailureGuard {
public:
    explicit StartupFailureGuard(std::string_view programName);
    ~StartupFailureGuard();
    StartupFailureGuard(const StartupFailureGuard&) = delete;
    StartupFailureGuard& operator=(const StartupFailureGuard&) = delete;
};

} // namespace dorvek::host
