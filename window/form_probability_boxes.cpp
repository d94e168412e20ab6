#include "form_probability_boxes.h"

#include "host/runtime/form_controls.h"

namespace dorvek::window {

QString FormProbabilityBoxes::lowerBoundText() {
    return controls_.text("Text2", 0);
}

QString FormProbabilityBoxes::upperBoundText() {
    return controls_.text("Text2", 1);
}

void FormProbabilityBoxes::setResultText(const QString& text) {
    controls_.setText("Text1", std::nullopt, text);
}

} // namespace dorvek::window
