#pragma once

#include "numeric/probability_boxes.h"

namespace dorvek::host {
class FormControls;
}

namespace dorvek::window {

// Form1's boxes as Integrate sees them: Text2 element 0 holds the lower bound,
// element 1 the upper, and Text1 takes the result.
class FormProbabilityBoxes : public numeric::ProbabilityBoxes {
public:
    explicit FormProbabilityBoxes(host::FormControls& controls) : controls_(controls) {}

    QString lowerBoundText() override;
    QString upperBoundText() override;
    void setResultText(const QString& text) override;

private:
    host::FormControls& controls_;
};

} // namespace dorvek::window
