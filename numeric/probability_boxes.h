#pragma once

#include <QString>

namespace dorvek::numeric {

// All that Integrate needs of a window: the two bound texts and the result text.
// A window, the command-line tool or a test can offer them.
class ProbabilityBoxes {
public:
    virtual ~ProbabilityBoxes() = default;

    virtual QString lowerBoundText() = 0;
    virtual QString upperBoundText() = 0;
    virtual void setResultText(const QString& text) = 0;
};

} // namespace dorvek::numeric
