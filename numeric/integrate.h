#pragma once

#include "host/runtime/number_locale.h"

namespace dorvek::numeric {

class ProbabilityBoxes;

// Integrates the standard normal density from the lower to the upper bound by the
// trapezoid rule over 10000 sub-intervals and writes P, with five decimals, as the
// result text. Bounds in either order: swapped bounds give a negative P.
// Errors propagate as host::Error; the result text is then left as it was, and a
// lower bound that fails to read means the upper one is never asked for.
void Integrate(ProbabilityBoxes& boxes, const host::NumberLocale& locale);

// All of Integrate but the writing: reads the bounds and returns P unformatted.
double integrateProbability(ProbabilityBoxes& boxes, const host::NumberLocale& locale);

} // namespace dorvek::numeric
