#pragma once

namespace dorvek::host {

// The processor's sticky floating-point flags. A computation clears them when it
// starts, so a flag left by an earlier click or by anything else in the process
// can never raise a false error in its own tests.
void clearFloatingPointStatus();

// Raises InvalidOperation, DivisionByZero or Overflow, in that order of precedence,
// when the matching flag is pending. The value is the result just computed: passing
// it makes the operation that produced it happen before the test.
void testFloatingPointStatus(double justComputed);

} // namespace dorvek::host
