#pragma once

namespace dorvek::host {

// e^x; raises Overflow when the result is not a finite double.
double exponential(double x);

// The square root; raises InvalidOperation for a negative argument.
double squareRoot(double x);

} // namespace dorvek::host
