#pragma once

#include "error.h"

#include <QString>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace dorvek::host {

namespace detail {
QString* copyText(const QString& text);
void destroyText(QString* text) noexcept;
} // namespace detail

// A tagged value: a double, a 16-bit signed integer or a text, and which of them.
// Numbers live inline, so making, copying and dropping a numeric value never allocates.
class Value {
public:
    enum class Kind : std::uint8_t { Double, Integer16, Text };

    Value() noexcept = default;
    static Value ofDouble(double value) noexcept { return Value(value); }
    static Value ofInteger16(std::int16_t value) noexcept { return Value(value); }
    static Value ofText(QString text) { return Value(std::move(text)); }

    Value(const Value& other)
        : kind_(other.kind_), integer16_(other.integer16_), double_(other.double_),
          text_(other.text_ != nullptr ? detail::copyText(*other.text_) : nullptr) {}
    Value(Value&& other) noexcept
        : kind_(other.kind_), integer16_(other.integer16_), double_(other.double_),
          text_(std::exchange(other.text_, nullptr)) {}
    Value& operator=(const Value& other) {
        Value copy(other);
        return *this = std::move(copy);
    }
    Value& operator=(Value&& other) noexcept {
        kind_ = other.kind_;
        integer16_ = other.integer16_;
        double_ = other.double_;
        std::swap(text_, other.text_); // other, about to go, takes our old text with it
        return *this;
    }
    ~Value() {
        if (text_ != nullptr) {
            detail::destroyText(text_);
        }
    }

    Kind kind() const noexcept { return kind_; }
    bool isDouble() const noexcept { return kind_ == Kind::Double; }
    bool isInteger16() const noexcept { return kind_ == Kind::Integer16; }
    bool isText() const noexcept { return kind_ == Kind::Text; }

    // Each accessor requires the matching kind; use the conversions for any other.
    double doubleValue() const noexcept { return double_; }
    std::int16_t integer16Value() const noexcept { return integer16_; }
    const QString& textValue() const noexcept { return *text_; }

private:
    explicit Value(double value) noexcept : kind_(Kind::Double), double_(value) {}
    explicit Value(std::int16_t value) noexcept : kind_(Kind::Integer16), integer16_(value) {}
    explicit Value(QString text) : kind_(Kind::Text), text_(detail::copyText(text)) {}

    // Plain fields and a text behind a pointer that is null for numbers, handled out
    // of line: the compiler then keeps a numeric value in registers, folds a known
    // kind and drops the destructor, none of which it does for a union or an inline
    // QString. An Integrate call so costs little more than the bare double loop.
    Kind kind_ = Kind::Double;
    std::int16_t integer16_ = 0;
    double double_ = 0.0;
    QString* text_ = nullptr; // owned
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

// The slow paths: a text operand, a double meeting a 16-bit integer, any other
// exponent or divisor. They yield only doubles, which come back in a register; 16-bit
// results are made inline. They take copies: an operand whose address never leaves
// the inline fast path can live in registers, and a constant such as the 16-bit 2
// of the density then folds into the arithmetic.
[[noreturn, gnu::cold]] void raiseOverflow();
[[gnu::cold]] double addSlow(Value left, Value right);
[[gnu::cold]] double subtractSlow(Value left, Value right);
[[gnu::cold]] double multiplySlow(Value left, Value right);
[[gnu::cold]] double divideSlow(Value left, Value right);
[[gnu::cold]] double powerSlow(Value base, Value exponent);
[[gnu::cold]] double toDoubleSlow(Value value);

inline Value finiteDouble(double result) {
    if (!std::isfinite(result)) [[unlikely]] {
        raiseOverflow();
    }
    return Value::ofDouble(result);
}

// The same test on the bits, for a sum or a difference, whose sign the compiler cannot
// know: the exponent all ones means an infinity or a NaN. It needs no constants in
// the vector registers, which every call in a loop (the exponential's) clobbers.
inline Value finiteSum(double result) {
    if ((std::bit_cast<std::uint64_t>(result) << 1) >= 0xffe0'0000'0000'0000U) [[unlikely]] {
        raiseOverflow();
    }
    return Value::ofDouble(result);
}

// Two 16-bit operands are computed exactly in 32 bits and must fit back. Inline, so
// that a constant such as N - 1 folds and the loop bound becomes a known number.
inline Value integer16Result(std::int32_t result) {
    if (result < INT16_MIN || result > INT16_MAX) [[unlikely]] {
        raiseOverflow();
    }
    return Value::ofInteger16(static_cast<std::int16_t>(result));
}

[[gnu::cold]] std::int16_t toInteger16Slow(Value value);

} // namespace detail

// The double cases are inline: the integration runs them forty thousand times a click.
[[gnu::always_inline]] inline Value add(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) [[likely]] {
        return detail::finiteSum(left.doubleValue() + right.doubleValue());
    }
    if (left.isInteger16() && right.isInteger16()) [[unlikely]] {
        return detail::integer16Result(std::int32_t{left.integer16Value()} +
                                       right.integer16Value());
    }
    return Value::ofDouble(detail::addSlow(left, right));
}

[[gnu::always_inline]] inline Value subtract(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) [[likely]] {
        return detail::finiteSum(left.doubleValue() - right.doubleValue());
    }
    if (left.isInteger16() && right.isInteger16()) [[unlikely]] {
        return detail::integer16Result(std::int32_t{left.integer16Value()} -
                                       right.integer16Value());
    }
    return Value::ofDouble(detail::subtractSlow(left, right));
}

[[gnu::always_inline]] inline Value multiply(const Value& left, const Value& right) {
    if (left.isDouble() && right.isDouble()) [[likely]] {
        return detail::finiteDouble(left.doubleValue() * right.doubleValue());
    }
    if (left.isInteger16() && right.isInteger16()) [[unlikely]] {
        return detail::integer16Result(std::int32_t{left.integer16Value()} *
                                       right.integer16Value());
    }
    return Value::ofDouble(detail::multiplySlow(left, right));
}

[[gnu::always_inline]] inline Value divide(const Value& left, const Value& right) {
    if (left.isDouble() && right.isInteger16() && right.integer16Value() != 0) [[likely]] {
        // A divisor of magnitude at least 1 cannot carry a finite dividend out of range,
        // so the quotient is finite exactly when the dividend is. Testing the dividend
        // lets the compiler drop the test where it has just made the same one (x^2 / 2).
        const double dividend = left.doubleValue();
        if (!std::isfinite(dividend)) [[unlikely]] {
            detail::raiseOverflow();
        }
        return Value::ofDouble(dividend / right.integer16Value());
    }
    return Value::ofDouble(detail::divideSlow(left, right));
}

[[gnu::always_inline]] inline Value power(const Value& base, const Value& exponent) {
    if (base.isDouble() && exponent.isInteger16() && exponent.integer16Value() == 2) [[likely]] {
        return detail::finiteDouble(base.doubleValue() * base.doubleValue());
    }
    return Value::ofDouble(detail::powerSlow(base, exponent));
}

[[gnu::always_inline]] inline double toDouble(const Value& value) {
    return value.isDouble() ? value.doubleValue() : detail::toDoubleSlow(value);
}

[[gnu::always_inline]] inline std::int16_t toInteger16(const Value& value) {
    return value.isInteger16() ? value.integer16Value() : detail::toInteger16Slow(value);
}

} // namespace dorvek::host
