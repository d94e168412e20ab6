#include "density.h"

#include "host/runtime/floating_point_status.h"
#include "host/runtime/maths.h"

namespace dorvek::numeric {

// Formed as the reciprocal of e^(x^2/2), not as e^(-x^2/2): the two differ in the
// last place for some x, and the probabilities we show are those of this form.
host::Value f(const host::Value& x) {
    const host::Value two = host::Value::ofInteger16(2);
    host::Value y = host::power(x, two);
    y = host::divide(y, two);
    const double e = host::exponential(host::toDouble(y));
    const double result = 1.0 / e;
    host::testFloatingPointStatus(result);
    return host::Value::ofDouble(result);
}

} // namespace dorvek::numeric
