#include "event_dispatch.h"

#include "host/runtime/error.h"
#include "window_flags.h"

#include <QMessageBox>
#include <QPushButton>

namespace dorvek::host {

bool dispatchEvent(EventHandler handler, FormControls& controls, QWidget* window,
                   const QString& programTitle, const ErrorReporter& report) {
    try {
        handler(controls);
        return true;
    } catch (const Error& error) {
        report(error, window, programTitle);
        return false;
    }
}

QString errorReportText(const Error& error) {
    return QStringLiteral("Çalışma hatası %1:\n\n%2").arg(error.number()).arg(error.message());
}

void reportError(const Error& error, QWidget* window, const QString& programTitle) {
    QMessageBox box(QMessageBox::Critical, programTitle, errorReportText(error),
                    QMessageBox::NoButton, window, fixedSizeWindowFlags(Qt::Dialog));
    // Qt's own button texts are English unless its translations are installed.
    box.setDefaultButton(box.addButton(QStringLiteral("Tamam"), QMessageBox::AcceptRole));
    box.exec();
    // Give the keyboard back to the window: without a window manager nothing else does,
    // and the focus would stay with the screen's root.
    if (window != nullptr) {
        window->activateWindow();
    }
}

} // namespace dorvek::host
