#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

namespace dorvek::test {

// The one QApplication of a test process, made on first use and kept to its end.
inline QApplication& testApplication() {
    static int argc = 1;
    static char name[] = "dorvek-test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// What a modal message box showed before it was closed.
struct ShownMessageBox {
    QString title;
    QString text;
};

// Runs an action that may open modal message boxes, closes each through its own
// first button as soon as it shows, and returns what they showed.
inline QList<ShownMessageBox> closingMessageBoxes(const std::function<void()>& action) {
    QList<ShownMessageBox> shown;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&shown] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->isVisible() && !box->buttons().isEmpty()) {
            shown.append({box->windowTitle(), box->text()});
            box->buttons().front()->click();
        }
    });
    watch.start();
    action();
    return shown;
}

} // namespace dorvek::test
