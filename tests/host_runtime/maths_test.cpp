#include "host/runtime/error.h"
#include "host/runtime/maths.h"
#include "tests/support/expect_error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dorvek::host {
namespace {

struct Rounded {
    double argument;
    double result;
};

// Correctly rounded results, worked out to 80 digits apart from any C library and
// rounded to the nearest double once.
TEST(ExponentialTest, IsCorrectlyRoundedWhileFinite) {
    const Rounded rows[] = {
        {0.0, 1.0},
        {1e-10, 0x1.000000006df38p+0},
        {0.125, 0x1.2216045b6f5cdp+0},
        {0.5, 0x1.a61298e1e069cp+0},
        {1.0, 0x1.5bf0a8b145769p+1},
        {-1.0, 0x1.78b56362cef38p-2},
        {2.0, 0x1.d8e64b8d4ddaep+2},
        {18.0, 0x1.f4f22091940bdp+25},
        {684.5, 0x1.704df84d26c33p+987},
        {709.78, 0x1.fe9ce5c4c52b4p+1023},
        {-745.0, 0x0.0000000000001p-1022},
    };
    for (const Rounded& row : rows) {
        EXPECT_EQ(exponential(row.argument), row.result) << row.argument;
    }
}

TEST(ExponentialTest, UnderflowToZeroIsNotAnError) {
    EXPECT_EQ(exponential(-1000.0), 0.0);
}

// 709.782712893384 is the largest argument with a finite exponential.
TEST(ExponentialTest, OverflowsWhereTheResultIsNotFinite) {
    EXPECT_TRUE(std::isfinite(exponential(709.782712893384)));
    for (const double x : {709.7827128933841, 722.0, std::numeric_limits<double>::infinity()}) {
        test::expectError(ErrorKind::Overflow, [x] { exponential(x); });
    }
}

TEST(SquareRootTest, IsCorrectlyRounded) {
    const Rounded rows[] = {
        {2.0, 0x1.6a09e667f3bcdp+0},         {0.5, 0x1.6a09e667f3bcdp-1},
        {3.0, 0x1.bb67ae8584caap+0},         {2.0 * 3.141592653589793, 0x1.40d931ff62705p+1},
        {1e-300, 0x1.a2fe76a3f9475p-499},    {1e300, 0x1.38d352e5096afp+498},
        {0x0.0000000000001p-1022, 0x1p-537},
    };
    for (const Rounded& row : rows) {
        EXPECT_EQ(squareRoot(row.argument), row.result) << row.argument;
    }
    EXPECT_EQ(squareRoot(0.0), 0.0);
    EXPECT_EQ(squareRoot(16.0), 4.0);
    EXPECT_TRUE(std::signbit(squareRoot(-0.0)));
}

TEST(SquareRootTest, RefusesNegativesAndNaN) {
    for (const double x : {-1.0, -1e-300, std::numeric_limits<double>::quiet_NaN()}) {
        test::expectError(ErrorKind::InvalidOperation, [x] { squareRoot(x); });
    }
}

} // namespace
} // namespace dorvek::host
