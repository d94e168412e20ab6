#include "start.h"

#include "accessible_widgets.h"
#include "form_window.h"
#include "host/runtime/program_description.h"
#include "platform.h"
#include "startup_failure.h"
#include "utf8_text.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <utility>

namespace dorvek::host {
namespace {

// Qt's own texts, such as the text boxes' context menu, speak the host's language
// whatever the user's locale, like the rest of the window. Loaded once per application;
// without the translation they stay English and the program runs all the same.
void installQtTranslation() {
    QCoreApplication* application = QCoreApplication::instance();
    const QString name = QStringLiteral("qtbase_tr");
    if (application->findChild<QTranslator*>(name, Qt::FindDirectChildrenOnly) != nullptr) {
        return;
    }
    auto* translator = new QTranslator(application);
    translator->setObjectName(name);
    if (translator->load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

// The application lives in this frame, so it is gone before the process ends.
int run(const ProgramDescription& program, int argc, char** argv) {
    platform::prepareForApplication();
    std::optional<StartupFailureGuard> startup(std::in_place, program.name);
    QApplication application(argc, argv); // sets the C library's locale from the environment
    startup.reset();
    prepareApplication(program);
    const std::unique_ptr<FormWindow> window = buildStartupForm(program);
    window->show();
    return QApplication::exec();
}

} // namespace

void prepareApplication(const ProgramDescription& program) {
    // The name becomes the window's class (WM_CLASS), which window managers read as
    // Latin-1 and match with the desktop entry: the ASCII name, not the title. No
    // display name either: Qt would append that to every window title.
    QCoreApplication::setApplicationName(fromUtf8(program.name));
    QCoreApplication::setApplicationVersion(fromUtf8(program.version));
    // Ties the window to its launcher and icon in docks; on Wayland it is the app id.
    QGuiApplication::setDesktopFileName(fromUtf8(program.desktopEntry));
    platform::adaptApplication();
    installQtTranslation();
    installAccessibleWidgets();
}

std::unique_ptr<FormWindow> buildStartupForm(const ProgramDescription& program,
                                             ErrorReporter report) {
    if (program.startupForm == nullptr) {
        throw std::invalid_argument("a program without a start-up form");
    }
    return std::make_unique<FormWindow>(program, *program.startupForm, std::move(report));
}

void start(const ProgramDescription& program, int argc, char** argv) {
    std::exit(run(program, argc, argv));
}

} // namespace dorvek::host
