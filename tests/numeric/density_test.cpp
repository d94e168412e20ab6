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

struct DensityRow {
    double x;
    double density;
};

// 1 / e^(x^2/2), each step rounded to the nearest double, worked out to 80 digits
// apart from any C library. At 0.1 and 0.5 the reciprocal differs in the last place
// from e^(-x^2/2) rounded once (0x1.fd7246927d28bp-1, 0x1.c3d6a24ed8222p-1).
TEST(DensityTest, IsTheReciprocalOfTheExponentialBitForBit) {
    const DensityRow rows[] = {
        {0.1, 0x1.fd7246927d28cp-1}, {0.5, 0x1.c3d6a24ed8221p-1},  {-0.5, 0x1.c3d6a24ed8221p-1},
        {1.0, 0x1.368b2fc6f960ap-1}, {-1.0, 0x1.368b2fc6f960ap-1}, {1.5, 0x1.4c71b2477ab20p-2},
        {2.0, 0x1.152aaa3bf81ccp-3}, {3.0, 0x1.6c0504695c417p-7},  {37.0, 0x1.63e11eaf9b07dp-988},
    };
    for (const DensityRow& row : rows) {
        EXPECT_EQ(bits(density(row.x)), bits(row.density)) << row.x;
    }
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
    EXPECT_EQ(bits(result.doubleValue()), bits(0x1.152aaa3bf81ccp-3));
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
