#pragma once

#include "error.h"

#include <cmath>

namespace dorvek::host {

// e^x; raises Overflow when the result is not a finite double. Inline: the density
// calls it ten thousand times a click.
inline double exponential(double x) {
    const double result = std::exp(x);
    if (!std::isfinite(result)) [[unlikely]] {
        raise(ErrorKind::Overflow, ErrorCause::ExponentialRange);
    }
    return result;
}

// The square root; raises InvalidOperation for a negative argument.
double squareRoot(double x);

} // namespace dorvek::host
