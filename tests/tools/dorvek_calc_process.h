#pragma once

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
    run.standardOutput = textLines(process.readAllStandardOutput());
    run.standardError = textLines(process.readAllStandardError());
    return run;
}

} // namespace dorvek::test
