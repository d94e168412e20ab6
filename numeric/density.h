#pragma once

#include "host/runtime/floating_point_status.h"
#include "host/runtime/maths.h"
#include "host/runtime/value.h"

namespace dorvek::numeric {

// The kernel of the standard normal density, e^(-x^2/2), without its normalising
// factor; x must hold a number. Raises Overflow where e^(x^2/2) is not a finite
// double (|x| above about 37.677): it never returns 0 for a large x.
//
// Formed as the reciprocal of e^(x^2/2), not as e^(-x^2/2): the two differ in the
// last place for some x, and the probabilities we show are those of this form.
// Inline, because Integrate calls it ten thousand times a click and a call that
// returns a tagged value costs as much as the arithmetic itself.
[[gnu::always_inline]] inline host::Value f(const host::Value& x) {
    const host::Value two = host::Value::ofInteger16(2);
    // y lives only for the expression: a tagged value still alive when the exponential
    // may raise would be kept in memory for the unwinding, at every step of the loop.
    const double y = host::toDouble(host::divide(host::power(x, two), two));
    const double e = host::exponential(y);
    const double result = 1.0 / e;
    host::testDivisionStatus(e, result);
    return host::Value::ofDouble(result);
}

} // namespace dorvek::numeric
