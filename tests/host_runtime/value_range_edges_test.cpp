// The arithmetic at the very edges of its ranges: the largest results that are still
// numbers and the first ones that overflow, infinite and NaN operands, and 16-bit
// results on both sides of both limits.

#include "host/runtime/error.h"
#include "host/runtime/value.h"
#include "tests/support/expect_error.h"

#include <bit>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace dorvek::host {
namespace {

using Operation = Value (*)(const Value&, const Value&);

constexpr double largest = 0x1.fffffffffffffp1023;
// Half a unit in the last place of the largest double: adding it rounds to even, which
// is the infinity; a hair less still rounds back down.
constexpr double halfTopUlp = 0x1p970;
constexpr double justUnderHalfTopUlp = 0x1.fffffffffffffp969;
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

Value D(double value) {
    return Value::ofDouble(value);
}
Value I(std::int16_t value) {
    return Value::ofInteger16(value);
}

struct EdgeCase {
    const char* name;
    Operation operation;
    Value left;
    Value right;
    std::optional<Value> expected; // empty when an error is expected
    ErrorKind error = ErrorKind::Overflow;
};

void PrintTo(const EdgeCase& row, std::ostream* out) {
    *out << row.name;
}

class RangeEdgeTest : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(RangeEdgeTest, GivesTheLastNumberOrTheError) {
    const EdgeCase& row = GetParam();
    if (!row.expected) {
        test::expectError(row.error, [&] { row.operation(row.left, row.right); });
        return;
    }
    const Value actual = row.operation(row.left, row.right);
    ASSERT_EQ(actual.kind(), row.expected->kind());
    if (actual.isDouble()) {
        EXPECT_EQ(std::bit_cast<std::uint64_t>(actual.doubleValue()),
                  std::bit_cast<std::uint64_t>(row.expected->doubleValue()))
            << actual.doubleValue();
    } else {
        EXPECT_EQ(actual.integer16Value(), row.expected->integer16Value());
    }
}

const EdgeCase edgeCases[] = {
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

INSTANTIATE_TEST_SUITE_P(Values, RangeEdgeTest, ::testing::ValuesIn(edgeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToInteger16EdgeTest, TakesA16BitValueAsItIs) {
    EXPECT_EQ(toInteger16(I(32767)), 32767);
    EXPECT_EQ(toInteger16(I(-1)), -1);
    EXPECT_EQ(toInteger16(D(-0.5)), 0);
}

} // namespace
} // namespace dorvek::host
