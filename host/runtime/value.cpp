#include "value.h"

#include <cstdint>

namespace dorvek::host {
namespace detail {
namespace {

double checkedDouble(double result) {
    if (!std::isfinite(result)) {
        raiseOverflow();
    }
    return result;
}

void requireNumber(const Value& value) {
    if (value.isText()) {
        raise(ErrorKind::TypeMismatch);
    }
}

// A NaN from finite operands is an invalid operation; anything else infinite overflowed.
double checkedPowerResult(double result) {
    if (std::isnan(result)) {
        raise(ErrorKind::InvalidOperation);
    }
    return checkedDouble(result);
}

} // namespace

void raiseOverflow() {
    raise(ErrorKind::Overflow);
}

QString* copyText(const QString& text) {
    return new QString(text);
}

void destroyText(QString* text) noexcept {
    delete text;
}

double toDoubleSlow(Value value) {
    requireNumber(value);
    return value.isDouble() ? value.doubleValue() : value.integer16Value();
}

double addSlow(Value left, Value right) {
    return checkedDouble(toDoubleSlow(left) + toDoubleSlow(right));
}

double subtractSlow(Value left, Value right) {
    return checkedDouble(toDoubleSlow(left) - toDoubleSlow(right));
}

double multiplySlow(Value left, Value right) {
    return checkedDouble(toDoubleSlow(left) * toDoubleSlow(right));
}

double divideSlow(Value left, Value right) {
    const double dividend = toDoubleSlow(left);
    const double divisor = toDoubleSlow(right);
    if (divisor == 0.0) {
        raise(dividend == 0.0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    }
    return checkedDouble(dividend / divisor);
}

double powerSlow(Value base, Value exponent) {
    const double x = toDoubleSlow(base);
    if (exponent.isInteger16()) {
        // Small exponents by multiplication, which IEEE rounds correctly; the C
        // library's pow is not correctly rounded for every x.
        switch (exponent.integer16Value()) {
        case 0:
            return 1.0;
        case 1:
            return x;
        case 2:
            return checkedDouble(x * x);
        default:
            break;
        }
    }
    const double y = toDoubleSlow(exponent);
    if (x == 0.0 && y < 0.0) {
        raise(ErrorKind::DivisionByZero);
    }
    return checkedPowerResult(std::pow(x, y));
}

std::int16_t toInteger16Slow(Value value) {
    requireNumber(value);
    const double x = value.doubleValue();
    // Halves go to the even neighbour, so 32767.5 rounds out of range.
    const double rounded = std::nearbyint(x);
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        raiseOverflow();
    }
    return static_cast<std::int16_t>(rounded);
}

} // namespace detail
} // namespace dorvek::host
