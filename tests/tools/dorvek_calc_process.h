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
};

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
    CalcRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "dorvek-calc did not finish normally";
        return run;
    }
    run.exitCode = process.exitCode();
    run.standardOutput = QString::fromUtf8(process.readAllStandardOutput());
    run.standardError = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace dorvek::test
