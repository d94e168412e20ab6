#include "host/runtime/error.h"
#include "host/runtime/maths.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dorvek::host {
namespace {

ErrorKind errorOf(double (*function)(double), double x) {
    try {
        const double result = function(x);
        ADD_FAILURE() << "no error for " << x << "; got " << result;
    } catch (const Error& error) {
        return error.kind();
    }
    return ErrorKind::ControlCallFailed;
}

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
    EXPECT_EQ(errorOf(exponential, 709.7827128933841), ErrorKind::Overflow);
    EXPECT_EQ(errorOf(exponential, 722.0), ErrorKind::Overflow);
    EXPECT_EQ(errorOf(exponential, std::numeric_limits<double>::infinity()), ErrorKind::Overflow);
}

TEST(SquareRootTest, IsCorrectlyRounded) {
    EXPECT_EQ(squareRoot(2.0 * 3.141592653589793), std::sqrt(2.0 * 3.141592653589793));
    EXPECT_EQ(squareRoot(0.0), 0.0);
    EXPECT_EQ(squareRoot(16.0), 4.0);
    EXPECT_TRUE(std::signbit(squareRoot(-0.0)));
}

TEST(SquareRootTest, RefusesNegativesAndNaN) {
    EXPECT_EQ(errorOf(squareRoot, -1.0), ErrorKind::InvalidOperation);
    EXPECT_EQ(errorOf(squareRoot, -1e-300), ErrorKind::InvalidOperation);
    EXPECT_EQ(errorOf(squareRoot, std::numeric_limits<double>::quiet_NaN()),
              ErrorKind::InvalidOperation);
}

} // namespace
} // namespace dorvek::host
