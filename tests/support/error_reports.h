#pragma once

#include "host/runtime/error.h"
#include "host/widgets/event_dispatch.h"

#include <QList>
#include <QString>
#include <utility>

namespace dorvek::test {

// What a window would have shown in its error box.
struct ErrorReport {
    QString title;
    QString text;
};

// Collects the errors a window reports, in place of the modal box: a window built with
// reporter() never waits for a person, and a test sees an unexpected error at once.
class ErrorReports {
public:
    host::ErrorReporter reporter() {
        return [this](const host::Error& error, QWidget*, const QString& programTitle) {
            reports_.append({programTitle, host::errorReportText(error)});
        };
    }

    // The reports since the last call.
    QList<ErrorReport> take() { return std::exchange(reports_, {}); }

private:
    QList<ErrorReport> reports_;
};

} // namespace dorvek::test
