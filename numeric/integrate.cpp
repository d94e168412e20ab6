#include "integrate.h"

#include "density.h"
#include "host/runtime/error.h"
#include "host/runtime/floating_point_status.h"
#include "host/runtime/maths.h"
#include "host/runtime/value.h"
#include "number_texts.h"
#include "probability_boxes.h"

#include <cstdint>
#include <numbers>

namespace dorvek::numeric {

using host::Value;

double integrateProbability(ProbabilityBoxes& boxes, const host::NumberLocale& locale) {
    // The status tests below must see only what this computation raises.
    host::clearFloatingPointStatus();

    // The upper box is read only once the lower bound has converted.
    const Value A = Value::ofDouble(readBound(boxes.lowerBoundText(), locale));
    const Value B = Value::ofDouble(readBound(boxes.upperBoundText(), locale));
    const Value N = Value::ofInteger16(10000);
    double S = 0.0;
    const Value H = host::divide(host::subtract(B, A), N);
    Value X = A;

    // X advances by repeated addition, not as A + i * H: the results we show carry
    // the accumulated rounding of this walk.
    const std::int16_t last = host::toInteger16(host::subtract(N, Value::ofInteger16(1)));
    for (std::int16_t i = 1; i <= last;) {
        X = host::add(X, H);
        // S is a plain double: the density converted, then a plain sum. At most 9999
        // terms of at most 1 each, it cannot leave the double range.
        S = S + host::toDouble(f(X));
        // Each increment is tested for 16-bit overflow, as the host's loop does; with last
        // fixed at N - 1 the test never fires.
        if (i == INT16_MAX) {
            host::raise(host::ErrorKind::Overflow);
        }
        ++i;
    }

    const double twoPi = 2.0 * std::numbers::pi;
    host::testFloatingPointStatus(twoPi);
    const double C = 1.0 / host::squareRoot(twoPi);
    host::testFloatingPointStatus(C);

    const Value FA = f(A);
    const Value FB = f(B);

    const double twiceS = 2.0 * S;
    host::testFloatingPointStatus(twiceS);
    const Value two = Value::ofInteger16(2);
    const Value P = host::multiply(host::multiply(Value::ofDouble(C), host::divide(H, two)),
                                   host::add(host::add(FA, FB), Value::ofDouble(twiceS)));

    return host::toDouble(P);
}

void Integrate(ProbabilityBoxes& boxes, const host::NumberLocale& locale) {
    // Formatted before anything is written, so an error leaves the result text alone.
    const QString result = formatProbability(integrateProbability(boxes, locale), locale);
    boxes.setResultText(result);
}

} // namespace dorvek::numeric
