#pragma once

#include "numeric/probability_boxes.h"

#include <QString>
#include <QStringList>
#include <utility>

namespace dorvek::test {

// Stands in for the window's boxes and records every read and write, in order.
class RecordingBoxes : public numeric::ProbabilityBoxes {
public:
    RecordingBoxes(QString lower, QString upper, QString result = QStringLiteral("önceki"))
        : lower_(std::move(lower)), upper_(std::move(upper)), result_(std::move(result)) {}

    QString lowerBoundText() override {
        calls_ << QStringLiteral("lower");
        return lower_;
    }
    QString upperBoundText() override {
        calls_ << QStringLiteral("upper");
        return upper_;
    }
    void setResultText(const QString& text) override {
        calls_ << QStringLiteral("set ") + text;
        result_ = text;
    }

    const QString& resultText() const { return result_; }
    const QStringList& calls() const { return calls_; }

private:
    QString lower_;
    QString upper_;
    QString result_;
    QStringList calls_;
};

} // namespace dorvek::test
