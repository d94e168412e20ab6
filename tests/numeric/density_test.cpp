#include "numeric/density.h"
#include "tests/support/expect_error.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>

namespace dorvek::numeric {
namespace {

using host::Value;

double density(double x) {
    return f(Value::ofDouble(x)).doubleValue();
}

std::uint64_t bits(double x) {
    return std::bit_cast<std::uint64_t>(x);
}

TEST(DensityTest, IsOneAtZeroExactly) {
    const Value result = f(Value::ofDouble(0.0));
    EXPECT_TRUE(result.isDouble());
    EXPECT_EQ(bits(result.doubleValue()), bits(1.0));
    EXPECT_EQ(bits(density(-0.0)), bits(1.0));
}

// The reciprocal of the double exponential, not exp(-x^2/2): for x = 1 they differ.
TEST(DensityTest, IsTheReciprocalOfTheExponential) {
    EXPECT_EQ(bits(density(1.0)), bits(1.0 / std::exp(0.5)));
    EXPECT_EQ(bits(density(2.0)), bits(1.0 / std::exp(2.0)));
    EXPECT_EQ(bits(density(-1.0)), bits(1.0 / std::exp(0.5)));
}

TEST(DensityTest, IsSymmetricBitForBit) {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> anywhere(0.0, 37.6);
    for (int i = 0; i < 20000; ++i) {
        const double x = i < 100 ? i * 0.376 : anywhere(random);
        ASSERT_EQ(bits(density(-x)), bits(density(x))) << x;
    }
}

TEST(DensityTest, TakesA16BitInteger) {
    const Value result = f(Value::ofInteger16(2));
    EXPECT_TRUE(result.isDouble());
    EXPECT_EQ(bits(result.doubleValue()), bits(density(2.0)));
}

// Far out the value is tiny but still a normal double, never zero.
TEST(DensityTest, StaysNormalUpToTheOverflow) {
    const double at37 = density(37.0);
    EXPECT_EQ(std::fpclassify(at37), FP_NORMAL);
    EXPECT_NEAR(at37, 5.3e-298, 0.05e-298);
    const double at37_6 = density(37.6);
    EXPECT_EQ(std::fpclassify(at37_6), FP_NORMAL);
    EXPECT_NEAR(at37_6, 1.0e-307, 0.05e-307);
    // Just short of the overflow the value is subnormal, and still not zero.
    EXPECT_EQ(std::fpclassify(density(37.67)), FP_SUBNORMAL);
}

class DensityOverflowTest : public ::testing::TestWithParam<double> {};

// exp(x^2/2) overflows beyond about 37.677, and x^2 itself beyond about 1.34e154:
// either way an overflow, and no value at all.
TEST_P(DensityOverflowTest, RaisesOverflowAndDeliversNothing) {
    test::expectError(host::ErrorKind::Overflow, [] { f(Value::ofDouble(GetParam())); });
}

INSTANTIATE_TEST_SUITE_P(Arguments, DensityOverflowTest,
                         ::testing::Values(38.0, -38.0, 37.68, -37.68, 1e100, 1.5e154, -1e300));

TEST(DensityTest, RefusesAText) {
    test::expectError(host::ErrorKind::TypeMismatch, [] { f(Value::ofText(QStringLiteral("1"))); });
}

} // namespace
} // namespace dorvek::numeric
