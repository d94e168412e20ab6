#pragma once

#include "host/runtime/value.h"

namespace dorvek::numeric {

// The kernel of the standard normal density, e^(-x^2/2), without its normalising
// factor; x must hold a number. Raises Overflow where e^(x^2/2) is not a finite
// double (|x| above about 37.677): it never returns 0 for a large x.
host::Value f(const host::Value& x);

} // namespace dorvek::numeric
