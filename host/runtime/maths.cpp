#include "maths.h"

#include "error.h"

#include <cmath>

namespace dorvek::host {

double squareRoot(double x) {
    if (x < 0.0 || std::isnan(x)) {
        raise(ErrorKind::InvalidOperation);
    }
    return std::sqrt(x);
}

} // namespace dorvek::host
