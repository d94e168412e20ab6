#include "floating_point_status.h"

#include "error.h"

#include <cfenv>
#include <cmath>

namespace dorvek::host {

void clearFloatingPointStatus() {
    std::feclearexcept(FE_ALL_EXCEPT);
}

void testFloatingPointStatus(double justComputed) {
    // Keep the computation of the argument ahead of the flag read.
    volatile double sink = justComputed;
    static_cast<void>(sink);
    const int pending = std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    if (pending & FE_INVALID) {
        raise(ErrorKind::InvalidOperation);
    }
    if (pending & FE_DIVBYZERO) {
        raise(ErrorKind::DivisionByZero);
    }
    if (pending & FE_OVERFLOW) {
        raise(ErrorKind::Overflow);
    }
}

namespace detail {

void raiseDivisionError(double divisor, double quotient) {
    if (std::isnan(quotient)) {
        raise(ErrorKind::InvalidOperation);
    }
    raise(divisor == 0.0 ? ErrorKind::DivisionByZero : ErrorKind::Overflow);
}

} // namespace detail
} // namespace dorvek::host
