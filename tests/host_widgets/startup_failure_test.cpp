#include "host/widgets/startup_failure.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <string>

namespace dorvek::host {
namespace {

// Qt's own words as Qt 6 writes them at a failed start.
const QString notFoundBogus =
    QStringLiteral("Could not find the Qt platform plugin \"bogus\" in \"\"");
const QString foundXcb = QStringLiteral(
    "Could not load the Qt platform plugin \"xcb\" in \"\" even though it was found.");
const QString noDisplay = QStringLiteral("could not connect to display :60123");
const QString fatal = QStringLiteral(
    "This application failed to start because no Qt platform plugin could be initialized. "
    "Reinstalling the application may fix this problem.\n\n"
    "Available platform plugins are: xcb, offscreen, minimal, vnc.\n");

struct ReasonCase {
    const char* name;
    QStringList earlier;
    QString fatal;
    QString display;
    const char* reason; // UTF-8
};

void PrintTo(const ReasonCase& row, std::ostream* out) {
    *out << row.name;
}

class StartupFailureReasonTest : public ::testing::TestWithParam<ReasonCase> {};

TEST_P(StartupFailureReasonTest, NamesTheMissingPluginOrTheDisplay) {
    const ReasonCase& row = GetParam();
    EXPECT_EQ(startupFailureReason(row.earlier, row.fatal, row.display),
              QString::fromUtf8(row.reason));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, StartupFailureReasonTest,
    ::testing::Values(
        ReasonCase{"plugin_not_found",
                   {notFoundBogus},
                   fatal,
                   QStringLiteral(":0"),
                   "\"bogus\" platform eklentisi bulunamadı; kullanılabilen platform "
                   "eklentileri: minimal, offscreen, vnc, xcb"},
        // Qt adds the folder of a plugin found outside its own; one name is listed once.
        ReasonCase{"plugins_from_another_folder",
                   {QStringLiteral("Could not find the Qt platform plugin \"wayland\" in "
                                   "\"/opt/p\"")},
                   QStringLiteral("Available platform plugins are: vnc (/opt/p), xcb, vnc.\n"),
                   QStringLiteral(":0"),
                   "\"wayland\" platform eklentisi bulunamadı; kullanılabilen platform "
                   "eklentileri: vnc, xcb"},
        ReasonCase{"no_plugin_at_all",
                   {notFoundBogus},
                   QStringLiteral("This application failed to start because no Qt platform "
                                  "plugin could be initialized."),
                   QString(),
                   "\"bogus\" platform eklentisi bulunamadı; hiçbir platform eklentisi kurulu "
                   "değil"},
        // Older Qt put it all in the fatal message.
        ReasonCase{"named_in_the_fatal_message_alone",
                   {},
                   notFoundBogus + QStringLiteral("\n") + fatal,
                   QStringLiteral(":0"),
                   "\"bogus\" platform eklentisi bulunamadı; kullanılabilen platform "
                   "eklentileri: minimal, offscreen, vnc, xcb"},
        ReasonCase{"plugin_found_without_a_display",
                   {noDisplay, foundXcb},
                   fatal,
                   QStringLiteral(":60123"),
                   "\":60123\" ekranına bağlanılamadı"},
        ReasonCase{"no_display_named", {foundXcb}, fatal, QString(), "hiçbir ekran belirtilmemiş"},
        // "bogus;xcb": xcb was there and failed, so the display is what went wrong.
        ReasonCase{"missing_then_found_and_failed",
                   {notFoundBogus, noDisplay, foundXcb},
                   fatal,
                   QStringLiteral(":60123"),
                   "\":60123\" ekranına bağlanılamadı"},
        ReasonCase{"fatal_of_another_kind",
                   {},
                   QStringLiteral("out of memory"),
                   QStringLiteral(":1"),
                   "\":1\" ekranına bağlanılamadı"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::host
