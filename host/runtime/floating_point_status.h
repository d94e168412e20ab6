#pragma once

#include <cmath>

namespace dorvek::host {

// The processor's sticky floating-point flags. A computation clears them when it
// starts, so a flag left by an earlier click or by anything else in the process
// can never raise a false error in its own tests.
void clearFloatingPointStatus();

namespace detail {
[[noreturn]] void raiseDivisionError(double divisor, double quotient);
} // namespace detail

// Raises InvalidOperation, DivisionByZero or Overflow, in that order of precedence,
// when the matching flag is pending. The value is the result just computed: passing
// it makes the operation that produced it happen before the test.
void testFloatingPointStatus(double justComputed);

// The status test after one division, seeing only what that division raised, as if
// the flags had been cleared just before it: invalid operation for a NaN quotient,
// division by zero for a zero divisor, overflow for any other infinite quotient. It
// reads the operands instead of the processor's flags, whose read (STMXCSR) costs a
// dozen cycles, and the density divides ten thousand times a click.
inline void testDivisionStatus(double divisor, double quotient) {
    if (!std::isfinite(quotient)) [[unlikely]] {
        detail::raiseDivisionError(divisor, quotient);
    }
}

} // namespace dorvek::host
