#include "host/runtime/error.h"
#include "host/runtime/maths.h"
#include "tests/support/expect_error.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dorvek::host {
namespace {

TEST(ExponentialTest, IsTheCLibrarysExpWhileFinite) {
    for (const double x : {0.0, 1.0, -1.0, 0.5, 2.0, 684.5, 709.78, -745.0}) {
        EXPECT_EQ(exponential(x), std::exp(x)) << x;
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
    EXPECT_EQ(squareRoot(2.0 * 3.141592653589793), std::sqrt(2.0 * 3.141592653589793));
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
