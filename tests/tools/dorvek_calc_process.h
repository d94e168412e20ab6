#pragma once

#include "tests/support/scoped_locale.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QSysInfo>
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

// What a program wrote as text, its lines ended by '\n' alone. Programs end their lines
// as the platform does, CR LF on Windows; the tests compare lines, not those bytes.
inline QString textLines(const QByteArray& output) {
    QString text = QString::fromUtf8(output);
    if (QSysInfo::productType() == u"windows") {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    return text;
}

// Waits for a started dorvek-calc and collects what it wrote.
inline CalcRun finishedRun(QProcess& process) {
    CalcRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "dorvek-calc did not finish normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.outputBytes = process.readAllStandardOutput();
    run.standardOutput = textLines(run.outputBytes);
    run.standardError = textLines(process.readAllStandardError());
    return run;
}

// Runs the built dorvek-calc as a script would: in the test's environment less the
// variables named in `removed`, plus those in `added` that have a value; in the folder
// given, or the test's own.
inline CalcRun runDorvekCalc(const QStringList& arguments,
                             std::initializer_list<const char*> removed,
                             std::initializer_list<std::pair<const char*, const char*>> added = {},
                             const QString& workingDirectory = {}) {
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
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(DORVEK_CALC_PATH), arguments);
    return finishedRun(process);
}

// Runs the built dorvek-calc as a user of the locale with this POSIX name would, the
// locale set where the platform keeps it (see ScopedLocale): as LC_ALL, with the other
// locale variables removed, on Unix; as the decimal symbol of the regional settings on
// Windows, where the environment plays no part.
inline CalcRun runDorvekCalcIn(const char* locale, const QStringList& arguments) {
    const ScopedLocale userLocale(locale);
    return runDorvekCalc(arguments, {"LC_NUMERIC", "LANG", "LANGUAGE"});
}

// Whether runThroughShell can run here: Windows has no /bin/sh, nor /dev/full.
inline bool hasPosixShell() {
    return QSysInfo::productType() != u"windows";
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
