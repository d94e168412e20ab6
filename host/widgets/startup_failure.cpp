#include "startup_failure.h"

#include "requested_display.h"

#include <QByteArray>
#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace dorvek::host {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// A message handler is a plain function, so what it needs lives here, for one start.
std::string program;
std::vector<HeldMessage> held;
QtMessageHandler previous = nullptr;

// Qt's words, from its warning before the fatal message ("Could not find the Qt platform
// plugin "bogus" in """) and from the fatal one ("Available platform plugins are: a, b.").
// A plugin that was found but could not start says "Could not load" instead.
const QRegularExpression
    notFound(QStringLiteral(R"re(Could not find the Qt platform plugin "([^"]*)")re"));
const QRegularExpression foundButNotLoaded(QStringLiteral(
    R"re(Could not load the Qt platform plugin "[^"]*".*even though it was found)re"));
const QRegularExpression
    availableList(QStringLiteral(R"re(Available platform plugins are: ([^\n]*))re"));

// "b, a (/some/path), c." as the names alone, sorted: Qt adds the folder of a plugin it
// found outside its own, and lists them in the order it happened to find them.
QStringList availablePlugins(const QString& fatalMessage) {
    const QRegularExpressionMatch match = availableList.match(fatalMessage);
    QString list = match.captured(1).trimmed();
    if (list.endsWith(QLatin1Char('.'))) {
        list.chop(1);
    }
    QStringList names;
    for (const QString& entry : list.split(QStringLiteral(", "), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QStringLiteral(" ("), 0, 0).trimmed();
        if (!name.isEmpty() && !names.contains(name)) {
            names << name;
        }
    }
    names.sort();
    return names;
}

QString noDisplayReason(const QString& display) {
    return display.isEmpty() ? QStringLiteral("hiçbir ekran belirtilmemiş")
                             : QStringLiteral("\"%1\" ekranına bağlanılamadı").arg(display);
}

void reportFailure(const QString& fatalMessage) {
    QStringList earlier;
    for (const HeldMessage& message : held) {
        earlier << message.text;
    }
    const QString reason = startupFailureReason(earlier, fatalMessage, requestedDisplay());
    std::fprintf(stderr, "%s: pencere açılamadı: %s\n", program.c_str(),
                 reason.toUtf8().constData());
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        reportFailure(text);
        std::fflush(stderr);
        std::_Exit(1); // not exit(): the application is half made
    }
    held.push_back({type, QByteArray(context.category), text});
}

} // namespace

QString startupFailureReason(const QStringList& earlierMessages, const QString& fatalMessage,
                             const QString& display) {
    QString missing;
    bool anyMissing = false;
    bool foundPluginFailed = false;
    QStringList messages = earlierMessages;
    messages << fatalMessage;
    for (const QString& message : std::as_const(messages)) {
        if (const QRegularExpressionMatch match = notFound.match(message); match.hasMatch()) {
            missing = match.captured(1);
            anyMissing = true;
        }
        foundPluginFailed = foundPluginFailed || foundButNotLoaded.match(message).hasMatch();
    }
    // Of several plugins asked for ("bogus;xcb"), one that was there and failed tells
    // more than the one that was not: it is the display that went wrong.
    if (!anyMissing || foundPluginFailed) {
        return noDisplayReason(display);
    }
    const QStringList available = availablePlugins(fatalMessage);
    const QString others = available.isEmpty()
                               ? QStringLiteral("hiçbir platform eklentisi kurulu değil")
                               : QStringLiteral("kullanılabilen platform eklentileri: %1")
                                     .arg(available.join(QStringLiteral(", ")));
    return QStringLiteral("\"%1\" platform eklentisi bulunamadı; %2").arg(missing, others);
}

StartupFailureGuard::StartupFailureGuard(std::string_view programName) {
    program = programName;
    held.clear();
    previous = qInstallMessageHandler(holdOrFail);
}

StartupFailureGuard::~StartupFailureGuard() {
    qInstallMessageHandler(previous);
    for (const HeldMessage& message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    held.clear();
}

} // namespace dorvek::host
