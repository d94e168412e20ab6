#pragma once

#include "error.h"

#include <QString>

#include <cmath>
#include <cstdint>

namespace dorvek::host {

// A tagged value: a double, a 16-bit signed integer or a text, and which of them.
// Numbers live inline, so making, copying and dropping a numeric value never allocates.
class Value {
public:
    enum class Kind : std::uint8_t { Double, Integer16, Text };

    Value() noexcept : kind_(Kind::Double), double_(0.0) {}
    static Value ofDouble(double value) noexcept { return Value(value); }
    static Value ofInteger16(std::int16_t value) noexcept { return Value(value); }
    static Value ofText(QString text) noexcept { return Value(std::move(text)); }

    Kind kind() const noexcept { return kind_; }
    bool isDouble() const noexcept { return kind_ == Kind::Double; }
    bool isInteger16() const noexcept { return kind_ == Kind::Integer16; }
    bool isText() const noexcept { return kind_ == Kind::Text; }

    // Each accessor requires the matching kind; use the conversions for any other.
    double doubleValue() const noexcept { return double_; }
    std::int16_t integer16Value() const noexcept { return integer16_; }
    const QString& textValue() const noexcept { return text_; }

private:
    explicit Value(double value) noexcept : kind_(Kind::Double), double_(value) {}
    explicit Value(std::int16_t value) noexcept : kind_(Kind::Integer16), integer16_(value) {}
    explicit Value(QString text) noexcept
        : kind_(Kind::Text), integer16_(0), text_(std::move(text)) {}

    Kind kind_;
    union {
        double double_;
        std::int16_t integer16_;
    };
    QString text_; // null, and so free of any allocation, unless the value is a text
};

// Arithmetic as the host does it. Doubles give the IEEE double result; a 16-bit
// integer meeting a double is widened to double. Two 16-bit integers give a 16-bit
// result for +, - and *, and a double for / and ^. Any result out of its range raises
// Overflow; a text operand raises TypeMismatch (texts are read with readNumber).
Value add(const Value& left, const Value& right);
Value subtract(const Value& left, const Value& right);
Value multiply(const Value& left, const Value& right);
// x / 0 raises DivisionByZero, and 0 / 0 Overflow.
Value divide(const Value& left, const Value& right);
// A 16-bit exponent gives the correctly rounded result for 0, 1 and 2 (x^2 is x * x).
Value power(const Value& base, const Value& exponent);

// Conversions. A text raises TypeMismatch in both; toInteger16 rounds halves to
// even and raises Overflow outside -32768..32767.
double toDouble(const Value& value);
std::int16_t toInteger16(const Value& value);

namespace detail {

[[noreturn]] void raiseOverflow();
Value addSlow(const Value& left, const Value& right);
Value subtractSlow(const Value& left, const Value& right);
Value multiplySlow(const Value& left, const Value& right);
Value divideSlow(const Value& left, const Value& right);
Value powerSlow(const Value& base, const Value& exponent);
double toDoubleSlow(const Value& value);

inline Value finiteDouble(double result) {
    if (!std::isfinite(result)) {
        raiseOverflow();
    }
    return Value::ofDouble(result);
}

} // namespace detail

// The double cases are inline: the integration runs them forty thousand times a click.
inline Value add(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) {
        return detail::finiteDouble(left.doubleValue() + right.doubleValue());
    }
    return detail::addSlow(left, right);
}

inline Value subtract(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) {
        return detail::finiteDouble(left.doubleValue() - right.doubleValue());
    }
    return detail::subtractSlow(left, right);
}

inline Value multiply(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) {
        return detail::finiteDouble(left.doubleValue() * right.doubleValue());
    }
    return detail::multiplySlow(left, right);
}

inline Value divide(const Value& left, const Value& right) {
    if (left.isDouble() && right.isInteger16() && right.integer16Value() != 0) {
        return detail::finiteDouble(left.doubleValue() / right.integer16Value());
    }
    return detail::divideSlow(left, right);
}

inline Value power(const Value& base, const Value& exponent) {
    if (base.isDouble() && exponent.isInteger16() && exponent.integer16Value() == 2) {
        return detail::finiteDouble(base.doubleValue() * base.doubleValue());
    }
    return detail::powerSlow(base, exponent);
}

inline double toDouble(const Value& value) {
    return value.isDouble() ? value.doubleValue() : detail::toDoubleSlow(value);
}

} // namespace dorvek::host
