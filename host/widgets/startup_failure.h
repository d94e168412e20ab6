#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace dorvek::host {

// Watches the application's start. When it cannot open a window, Qt ends the process
// with abort() after an English message that suggests reinstalling; while the guard
// lives, the user gets one Turkish line saying why instead (see startupFailureReason),
// and status 1. Qt's other messages from the start are held and passed on, in order,
// when the guard ends.
class StartupFailureGuard {
public:
    explicit StartupFailureGuard(std::string_view programName);
    ~StartupFailureGuard();
    StartupFailureGuard(const StartupFailureGuard&) = delete;
    StartupFailureGuard& operator=(const StartupFailureGuard&) = delete;
};

// Why no window could open, in Turkish, read from what Qt said on the way: the texts
// of the messages it gave first and of its last, fatal one. A platform plugin that
// Qt could not find is named, with those it lists as available:
//
//     "bogus" platform eklentisi bulunamadı; kullanılabilen platform eklentileri: offscreen, xcb
//
// Any other failure, a plugin found but unable to start among them, is the display's:
// the display as the environment names it (display), or none named when it is empty.
QString startupFailureReason(const QStringList& earlierMessages, const QString& fatalMessage,
                             const QString& display);

} // namespace dorvek::host
