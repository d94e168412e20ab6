#include "value.h"

#include <cstdint>

namespace dorvek::host {
namespace detail {
namespace {

// Two 16-bit operands are computed exactly in 32 bits and must fit back.
NumberResult checkedInteger16(std::int32_t result) {
    if (result < INT16_MIN || result > INT16_MAX) {
        raiseOverflow();
    }
    return {Value::Kind::Integer16, static_cast<std::int16_t>(result), 0.0};
}

NumberResult checkedDouble(double result) {
    if (!std::isfinite(result)) {
        raiseOverflow();
    }
    return {Value::Kind::Double, 0, result};
}

void requireNumber(const Value& value) {
    if (value.isText()) {
        raise(ErrorKind::TypeMismatch);
    }
}

bool bothInteger16(const Value& left, const Value& right) {
    requireNumber(left);
    requireNumber(right);
    return left.isInteger16() && right.isInteger16();
}

// A NaN from finite operands is an invalid operation; anything else infinite overflowed.
NumberResult checkedPowerResult(double result) {
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

NumberResult addSlow(Value left, Value right) {
    if (bothInteger16(left, right)) {
        return checkedInteger16(std::int32_t{left.integer16Value()} + right.integer16Value());
    }
    return checkedDouble(toDoubleSlow(left) + toDoubleSlow(right));
}

NumberResult subtractSlow(Value left, Value right) {
    if (bothInteger16(left, right)) {
        return checkedInteger16(std::int32_t{left.integer16Value()} - right.integer16Value());
    }
    return checkedDouble(toDoubleSlow(left) - toDoubleSlow(right));
}

NumberResult multiplySlow(Value left, Value right) {
    if (bothInteger16(left, right)) {
        return checkedInteger16(std::int32_t{left.integer16Value()} * right.integer16Value());
    }
    return checkedDouble(toDoubleSlow(left) * toDoubleSlow(right));
}

NumberResult divideSlow(Value left, Value right) {
    const double dividend = toDoubleSlow(left);
    const double divisor = toDoubleSlow(right);
    if (divisor == 0.0) {
        raise(dividend == 0.0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
    }
    return checkedDouble(dividend / divisor);
}

NumberResult powerSlow(Value base, Value exponent) {
    const double x = toDoubleSlow(base);
    if (exponent.isInteger16()) {
        // Small exponents by multiplication, which IEEE rounds correctly; the C
        // library's pow is not correctly rounded for every x.
        switch (exponent.integer16Value()) {
        case 0:
            return {Value::Kind::Double, 0, 1.0};
        case 1:
            return {Value::Kind::Double, 0, x};
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

} // namespace detail

std::int16_t toInteger16(const Value& value) {
    detail::requireNumber(value);
    if (value.isInteger16()) {
        return value.integer16Value();
    }
    const double x = value.doubleValue();
    // Halves go to the even neighbour, so 32767.5 rounds out of range.
    const double rounded = std::nearbyint(x);
    if (!(rounded >= INT16_MIN && rounded <= INT16_MAX)) {
        detail::raiseOverflow();
    }
    return static_cast<std::int16_t>(rounded);
}

} // namespace dorvek::host
