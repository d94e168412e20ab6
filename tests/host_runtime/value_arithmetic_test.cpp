#include "host/runtime/error.h"
#include "host/runtime/value.h"
#include "tests/support/expect_error.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace dorvek::host {
namespace {

using Operation = Value (*)(const Value&, const Value&);

Value D(double value) {
    return Value::ofDouble(value);
}
Value I(std::int16_t value) {
    return Value::ofInteger16(value);
}
Value T(const char* text) {
    return Value::ofText(QString::fromUtf8(text));
}

std::string describe(const Value& value) {
    switch (value.kind()) {
    case Value::Kind::Double:
        return "double " + std::to_string(value.doubleValue());
    case Value::Kind::Integer16:
        return "16-bit " + std::to_string(value.integer16Value());
    case Value::Kind::Text:
        return "text \"" + value.textValue().toStdString() + "\"";
    }
    return "?";
}

// Same kind and the same bits: arithmetic must give exactly the IEEE result.
::testing::AssertionResult sameValue(const Value& actual, const Value& expected) {
    const bool same = actual.kind() == expected.kind() &&
                      (actual.isDouble() ? std::bit_cast<std::uint64_t>(actual.doubleValue()) ==
                                               std::bit_cast<std::uint64_t>(expected.doubleValue())
                       : actual.isInteger16() ? actual.integer16Value() == expected.integer16Value()
                                              : actual.textValue() == expected.textValue());
    if (same) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got " << describe(actual) << ", expected " << describe(expected);
}

struct ArithmeticCase {
    const char* name;
    Operation operation;
    Value left;
    Value right;
    std::optional<Value> expected; // empty when an error is expected
    ErrorKind error = ErrorKind::Overflow;
};

void PrintTo(const ArithmeticCase& row, std::ostream* out) {
    *out << row.name;
}

class ArithmeticTest : public ::testing::TestWithParam<ArithmeticCase> {};

TEST_P(ArithmeticTest, GivesTheHostsResultOrError) {
    const ArithmeticCase& row = GetParam();
    if (row.expected) {
        EXPECT_TRUE(sameValue(row.operation(row.left, row.right), *row.expected));
        return;
    }
    test::expectError(row.error, [&] { row.operation(row.left, row.right); });
}

constexpr double largest = DBL_MAX;

const ArithmeticCase arithmeticCases[] = {
    // IEEE results on doubles, not a decimal idea of them.
    {"double_sum_is_ieee", add, D(0.1), D(0.2), D(0.30000000000000004)},
    {"double_difference", subtract, D(5.0), D(-5.0), D(10.0)},
    {"double_product", multiply, D(0.1), D(3.0), D(0.30000000000000004)},
    {"double_by_16bit_quotient", divide, D(10.0), I(10000), D(10.0 / 10000.0)},
    {"negative_step", divide, D(-1.0), I(10000), D(-1.0 / 10000.0)},
    {"zero_step", divide, D(0.0), I(10000), D(0.0)},
    {"double_by_double_quotient", divide, D(1.0), D(3.0), D(1.0 / 3.0)},
    {"underflow_is_not_an_error", multiply, D(1e-300), D(1e-300), D(0.0)},
    // Two 16-bit integers stay 16-bit for +, - and *; / gives a double.
    {"n_minus_one_stays_16bit", subtract, I(10000), I(1), I(9999)},
    {"16bit_sum_at_top", add, I(32766), I(1), I(32767)},
    {"16bit_difference_at_bottom", subtract, I(-32767), I(1), I(-32768)},
    {"16bit_product_at_bottom", multiply, I(-256), I(128), I(-32768)},
    {"16bit_quotient_is_double", divide, I(1), I(4), D(0.25)},
    {"16bit_meets_double_widens", add, I(3), D(0.5), D(3.5)},
    {"double_meets_16bit_widens", subtract, D(0.5), I(3), D(-2.5)},
    // Overflow at the edges of both ranges.
    {"double_sum_overflows", add, D(largest), D(largest), std::nullopt},
    {"double_difference_overflows", subtract, D(-largest), D(largest), std::nullopt},
    {"double_product_overflows", multiply, D(1e200), D(-1e200), std::nullopt},
    {"double_quotient_overflows", divide, D(largest), D(0.5), std::nullopt},
    {"16bit_sum_above_range", add, I(32767), I(1), std::nullopt},
    {"16bit_difference_below_range", subtract, I(-32768), I(1), std::nullopt},
    {"16bit_product_above_range", multiply, I(256), I(128), std::nullopt},
    {"16bit_meets_double_overflows", multiply, I(2), D(largest), std::nullopt},
    // Division by zero; 0 / 0 is the host's overflow.
    {"divide_by_16bit_zero", divide, D(1.0), I(0), std::nullopt, ErrorKind::DivisionByZero},
    {"divide_by_double_zero", divide, D(-1.0), D(0.0), std::nullopt, ErrorKind::DivisionByZero},
    {"divide_by_negative_zero", divide, D(2.0), D(-0.0), std::nullopt, ErrorKind::DivisionByZero},
    {"16bit_divide_by_zero", divide, I(7), I(0), std::nullopt, ErrorKind::DivisionByZero},
    {"zero_by_zero", divide, D(0.0), I(0), std::nullopt, ErrorKind::Overflow},
    // Texts are never read as numbers by the arithmetic.
    {"text_left_add", add, T("1"), D(1.0), std::nullopt, ErrorKind::TypeMismatch},
    {"text_right_subtract", subtract, D(1.0), T("1"), std::nullopt, ErrorKind::TypeMismatch},
    {"text_multiply", multiply, T("2"), I(2), std::nullopt, ErrorKind::TypeMismatch},
    {"text_divide", divide, I(2), T("2"), std::nullopt, ErrorKind::TypeMismatch},
    {"text_power", power, T("2"), I(2), std::nullopt, ErrorKind::TypeMismatch},
    {"power_of_text_exponent", power, D(2.0), T("2"), std::nullopt, ErrorKind::TypeMismatch},
    // Integer powers.
    {"square_is_product", power, D(1.1), I(2), D(1.1 * 1.1)},
    {"square_of_negative", power, D(-3.0), I(2), D(9.0)},
    {"square_of_16bit_is_double", power, I(-3), I(2), D(9.0)},
    {"power_zero", power, D(-7.5), I(0), D(1.0)},
    {"power_one", power, D(-7.5), I(1), D(-7.5)},
    {"power_ten", power, D(2.0), I(10), D(1024.0)},
    {"negative_power", power, D(2.0), I(-2), D(0.25)},
    {"double_exponent", power, D(9.0), D(0.5), D(3.0)},
    {"square_overflows", power, D(1.5e154), I(2), std::nullopt},
    {"power_of_zero_negative", power, D(0.0), I(-1), std::nullopt, ErrorKind::DivisionByZero},
    {"zero_to_double_zero", power, D(0.0), D(0.0), D(1.0)},
    {"negative_to_negative", power, D(-2.0), I(-1), D(-0.5)},
    {"root_of_negative", power, D(-8.0), D(1.0 / 3.0), std::nullopt, ErrorKind::InvalidOperation},
};

INSTANTIATE_TEST_SUITE_P(Values, ArithmeticTest, ::testing::ValuesIn(arithmeticCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The very edges of the ranges: the largest results that are still numbers and the
// first ones that overflow, infinite and NaN operands, and 16-bit results on both
// sides of both limits.
// Half a unit in the last place of the largest double: adding it rounds to even, which
// is the infinity; a hair less still rounds back down.
constexpr double halfTopUlp = 0x1p970;
constexpr double justUnderHalfTopUlp = 0x1.fffffffffffffp969;
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

const ArithmeticCase rangeEdgeCases[] = {
    // Sums and differences of doubles, on both sides of the top and the bottom.
    {"sum_reaches_largest", add, D(largest), D(0.0), D(largest)},
    {"sum_rounds_back_to_largest", add, D(largest), D(justUnderHalfTopUlp), D(largest)},
    {"sum_rounds_up_to_infinity", add, D(largest), D(halfTopUlp), std::nullopt},
    {"difference_reaches_lowest", subtract, D(-largest), D(justUnderHalfTopUlp), D(-largest)},
    {"difference_below_lowest", subtract, D(-largest), D(halfTopUlp), std::nullopt},
    {"negative_sum", add, D(-1.5), D(-2.25), D(-3.75)},
    {"negative_zero_sum", add, D(-0.0), D(-0.0), D(-0.0)},
    {"infinite_left", add, D(infinity), D(-1.0), std::nullopt},
    {"minus_infinity_right", subtract, D(1.0), D(infinity), std::nullopt},
    {"not_a_number_operand", add, D(notANumber), D(1.0), std::nullopt},
    {"infinities_cancel", add, D(infinity), D(-infinity), std::nullopt},
    // A double by a non-zero 16-bit integer: the quotient is never larger than the dividend.
    {"largest_by_one", divide, D(largest), I(1), D(largest)},
    {"largest_by_minus_one", divide, D(largest), I(-1), D(-largest)},
    {"lowest_by_bottom", divide, D(-largest), I(-32768), D(0x1.fffffffffffffp1008)},
    {"tiny_by_top", divide, D(0x1p-1074), I(32767), D(0.0)},
    {"infinity_by_two", divide, D(infinity), I(2), std::nullopt},
    {"minus_infinity_by_minus_one", divide, D(-infinity), I(-1), std::nullopt},
    {"not_a_number_by_three", divide, D(notANumber), I(3), std::nullopt},
    {"largest_by_zero", divide, D(largest), I(0), std::nullopt, ErrorKind::DivisionByZero},
    {"infinity_by_zero", divide, D(infinity), I(0), std::nullopt, ErrorKind::DivisionByZero},
    // Squares: the last square that is a number and the first that is not.
    {"largest_square", power, D(0x1.fffffffffffffp511), I(2), D(0x1.ffffffffffffep1023)},
    {"first_square_out", power, D(0x1p512), I(2), std::nullopt},
    {"square_of_infinity", power, D(-infinity), I(2), std::nullopt},
    {"square_of_not_a_number", power, D(notANumber), I(2), std::nullopt},
    // 16-bit results at both limits of each operation, and the first step past them.
    {"16bit_sum_at_bottom", add, I(-32767), I(-1), I(-32768)},
    {"16bit_sum_below_range", add, I(-32768), I(-1), std::nullopt},
    {"16bit_difference_at_top", subtract, I(32766), I(-1), I(32767)},
    {"16bit_difference_above_range", subtract, I(0), I(-32768), std::nullopt},
    {"16bit_product_at_top", multiply, I(-32767), I(-1), I(32767)},
    {"16bit_product_above_range", multiply, I(-32768), I(-1), std::nullopt},
    {"16bit_product_below_range", multiply, I(-129), I(255), std::nullopt},
    {"16bit_product_just_in", multiply, I(-128), I(255), I(-32640)},
};

INSTANTIATE_TEST_SUITE_P(RangeEdges, ArithmeticTest, ::testing::ValuesIn(rangeEdgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

// x^2 must be the correctly rounded square. The reference is exact: fma gives the
// rounding error x*x - p with no rounding of its own, and p is correctly rounded
// exactly when that error is at most half an ulp of p (and p is even on a tie).
// Every other sample has an odd 27-bit significand whose square, of 54 bits, lies
// exactly halfway between two doubles, so ties are tried as often as the rest.
TEST(PowerTest, SquareIsCorrectlyRoundedTiesToEven) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<std::int64_t> oddHalf((std::int64_t{94906267} - 1) / 2,
                                                        (std::int64_t{1} << 26) - 1);
    std::uniform_int_distribution<int> exponent(-500, 500);
    int ties = 0;
    for (int i = 0; i < 200000; ++i) {
        const double significand =
            i % 2 == 0 ? mantissa(random)
                       : std::ldexp(static_cast<double>(2 * oddHalf(random) + 1), -26);
        const double x = std::ldexp(significand, exponent(random)) * (i % 4 < 2 ? -1 : 1);
        const double p = power(Value::ofDouble(x), Value::ofInteger16(2)).doubleValue();
        const double error = std::fma(x, x, -p);
        const double halfUlp = (std::nextafter(p, INFINITY) - p) / 2;
        ASSERT_LE(std::fabs(error), halfUlp) << "x = " << x;
        if (std::fabs(error) == halfUlp) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(p) & 1, 0u) << "tie not to even, x = " << x;
            ++ties;
        }
    }
    EXPECT_GE(ties, 100000) << "the odd 27-bit samples must all be ties";
}

TEST(ValueTest, HoldsItsKind) {
    EXPECT_TRUE(Value().isDouble());
    EXPECT_EQ(Value().doubleValue(), 0.0);
    EXPECT_TRUE(D(1.5).isDouble());
    EXPECT_TRUE(I(-3).isInteger16());
    EXPECT_EQ(I(-3).integer16Value(), -3);
    EXPECT_TRUE(T("abc").isText());
    EXPECT_EQ(T("Sonuç").textValue(), QString::fromUtf8("Sonuç"));
}

// Copies and moves of texts share nothing the other side can spoil, and assigning
// across kinds leaves no trace of the old kind (the sanitizer build checks the leaks).
TEST(ValueTest, CopiesAndMovesKeepKindAndText) {
    Value text = T("-5,00");
    Value copy = text;
    EXPECT_TRUE(sameValue(copy, T("-5,00")));

    Value moved = std::move(copy);
    EXPECT_TRUE(sameValue(moved, T("-5,00")));

    Value number = D(2.5);
    number = text;
    EXPECT_TRUE(sameValue(number, T("-5,00")));
    text = D(7.0);
    EXPECT_TRUE(sameValue(text, D(7.0)));
    EXPECT_TRUE(sameValue(number, T("-5,00")));

    number = I(4);
    EXPECT_TRUE(sameValue(number, I(4)));

    Value self = T("kendi");
    Value& alias = self;
    self = alias;
    EXPECT_TRUE(sameValue(self, T("kendi")));
    self = std::move(alias);
    EXPECT_TRUE(sameValue(self, T("kendi")));
}

struct ConversionCase {
    const char* name;
    Value value;
    std::optional<std::int16_t> expected;
    ErrorKind error = ErrorKind::Overflow;
};

void PrintTo(const ConversionCase& row, std::ostream* out) {
    *out << row.name;
}

class ToInteger16Test : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(ToInteger16Test, RoundsHalvesToEvenAndChecksTheRange) {
    const ConversionCase& row = GetParam();
    if (row.expected) {
        EXPECT_EQ(toInteger16(row.value), *row.expected);
        return;
    }
    test::expectError(row.error, [&] { toInteger16(row.value); });
}

const ConversionCase toInteger16Cases[] = {
    {"integer16_as_is", I(-32768), -32768},
    {"integer16_top_as_is", I(32767), 32767},
    {"integer16_minus_one_as_is", I(-1), -1},
    {"minus_half_to_zero", D(-0.5), 0},
    {"whole_double", D(9999.0), 9999},
    {"below_half", D(2.49), 2},
    {"half_to_even_down", D(2.5), 2},
    {"half_to_even_up", D(3.5), 4},
    {"negative_half", D(-2.5), -2},
    {"top", D(32767.4), 32767},
    {"top_half_rounds_out", D(32767.5), std::nullopt},
    {"bottom_half_rounds_in", D(-32768.5), -32768},
    {"below_bottom", D(-32768.6), std::nullopt},
    {"far_out", D(1e10), std::nullopt},
    {"not_a_number", D(std::numeric_limits<double>::quiet_NaN()), std::nullopt},
    {"text", T("5"), std::nullopt, ErrorKind::TypeMismatch},
};

INSTANTIATE_TEST_SUITE_P(Values, ToInteger16Test, ::testing::ValuesIn(toInteger16Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToDoubleTest, WidensIntegersAndRefusesTexts) {
    EXPECT_EQ(toDouble(D(-0.75)), -0.75);
    EXPECT_EQ(toDouble(I(-32768)), -32768.0);
    test::expectError(ErrorKind::TypeMismatch, [] { toDouble(T("1")); });
}

} // namespace
} // namespace dorvek::host
