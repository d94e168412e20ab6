#include "startup_failure.h"

#include "requested_display.h"

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
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

void reportNoDisplay() {
    const QString display = requestedDisplay();
    const QString reason = display.isEmpty()
                               ? QStringLiteral("hiçbir ekran belirtilmemiş")
                               : QStringLiteral("\"%1\" ekranına bağlanılamadı").arg(display);
    std::fprintf(stderr, "%s: pencere açılamadı: %s\n", program.c_str(),
                 reason.toUtf8().constData());
}

void holdOrFail(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        reportNoDisplay();
        std::fflush(stderr);
        std::_Exit(1); // not exit(): the application is half made
    }
    held.push_back({type, QByteArray(context.category), text});
}

} // namespace

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
