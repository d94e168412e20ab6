#include "start.h"

#include "form_window.h"
#include "host/runtime/program_description.h"

#include <QApplication>
#include <cstdlib>
#include <stdexcept>

namespace dorvek::host {
namespace {

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The application lives in this frame, so it is gone before the process ends.
int run(const ProgramDescription& program, int argc, char** argv) {
    QApplication application(argc, argv);
    prepareApplication(program);
    const std::unique_ptr<FormWindow> window = buildStartupForm(program);
    window->show();
    return QApplication::exec();
}

} // namespace

void prepareApplication(const ProgramDescription& program) {
    // The name only, not a display name: Qt would append that to every window title.
    QCoreApplication::setApplicationName(fromUtf8(program.title));
    QCoreApplication::setApplicationVersion(fromUtf8(program.version));
}

std::unique_ptr<FormWindow> buildStartupForm(const ProgramDescription& program) {
    if (program.startupForm == nullptr) {
        throw std::invalid_argument("a program without a start-up form");
    }
    return std::make_unique<FormWindow>(program, *program.startupForm);
}

void start(const ProgramDescription& program, int argc, char** argv) {
    std::exit(run(program, argc, argv));
}

} // namespace dorvek::host
