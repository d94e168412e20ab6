#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>

namespace dorvek::test {

struct CalcRun {
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
    QByteArray outputBytes; // standard output as written, for pictures
};

// Waits for a started dorvek-calc and collects what it wrote.
inline CalcRun finishedRun(QProcess& process) {
    CalcRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "dorvek-calc did not finish normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.outputBytes = process.readAllStandardOutput();
    run.standardOutput = QString::fromUtf8(run.outputBytes);
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Runs the built dorvek-calc as a script would: in the test's environment less the
// variables named in `removed`, plus those in `added` that have a value.
inline CalcRun
runDorvekCalc(const QStringList& arguments, std::initializer_list<const char*> removed,
              std::initializer_list<std::pair<const char*, const char*>> added = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : removed) {
        environment.remove(QString::fromLatin1(variable));
    }
    for (const auto& [variable, value] : added) {
        if (value != nullptr) {
            environment.insert(QString::fromLatin1(variable), QString::fromLatin1(value));
        }
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(DORVEK_CALC_PATH), arguments);
    return finishedRun(process);
}

// Runs a shell command with the built dorvek-calc as $0 and the given arguments as $1
// and on, for what QProcess cannot set up: a closed standard output, a file name that
// is no text. No display and no chosen Qt platform, as in a script on a server.
inline CalcRun runThroughShell(const char* command, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(QString::fromLatin1(variable));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral("-c"), QString::fromUtf8(command),
                              QStringLiteral(DORVEK_CALC_PATH)} +
                      arguments);
    return finishedRun(process);
}

} // namespace dorvek::test
