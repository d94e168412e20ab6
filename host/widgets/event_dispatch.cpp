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

QString errorReportText(const Error& error, const NumberLocale& locale) {
    // One arg() call: a message naming a typed "%1" must not be read as a place marker.
    return QStringLiteral("%1\n\nHata numarası: %2")
        .arg(error.message(locale), QString::number(error.number()));
}

QString errorReportText(const Error& error) {
    return errorReportText(error, userNumberLocale());
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
