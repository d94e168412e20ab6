#include "host/runtime/error.h"
#include "host/runtime/floating_point_status.h"
#include "tests/support/expect_error.h"

#include <cfenv>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>

namespace dorvek::host {
namespace {

struct PendingCase {
    const char* name;
    int flags;
    std::optional<ErrorKind> expected;
};

void PrintTo(const PendingCase& row, std::ostream* out) {
    *out << row.name;
}

class PendingFlagTest : public ::testing::TestWithParam<PendingCase> {
protected:
    void TearDown() override { clearFloatingPointStatus(); }
};

TEST_P(PendingFlagTest, RaisesTheMatchingErrorByPrecedence) {
    const PendingCase& row = GetParam();
    clearFloatingPointStatus();
    ASSERT_EQ(std::feraiseexcept(row.flags), 0);
    test::expectErrorOrNone(row.expected, [] { testFloatingPointStatus(1.0); });

    // Clearing must forget the flag.
    clearFloatingPointStatus();
    test::expectErrorOrNone(std::nullopt, [] { testFloatingPointStatus(1.0); });
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PendingFlagTest,
    ::testing::Values(PendingCase{"none", 0, std::nullopt},
                      PendingCase{"invalid", FE_INVALID, ErrorKind::InvalidOperation},
                      PendingCase{"division_by_zero", FE_DIVBYZERO, ErrorKind::DivisionByZero},
                      PendingCase{"overflow", FE_OVERFLOW, ErrorKind::Overflow},
                      PendingCase{"inexact_and_underflow", FE_INEXACT | FE_UNDERFLOW, std::nullopt},
                      PendingCase{"invalid_before_overflow", FE_OVERFLOW | FE_INVALID,
                                  ErrorKind::InvalidOperation},
                      PendingCase{"division_by_zero_before_overflow", FE_OVERFLOW | FE_DIVBYZERO,
                                  ErrorKind::DivisionByZero}),
    [](const auto& info) { return std::string(info.param.name); });

// The operation whose result is passed must have happened before the flags are read.
TEST(FloatingPointStatusTest, SeesTheOperationItIsGiven) {
    volatile double zero = 0.0;
    volatile double huge = std::numeric_limits<double>::max();
    clearFloatingPointStatus();
    test::expectError(ErrorKind::DivisionByZero, [&] { testFloatingPointStatus(1.0 / zero); });
    clearFloatingPointStatus();
    test::expectError(ErrorKind::Overflow, [&] { testFloatingPointStatus(huge * 2.0); });
    clearFloatingPointStatus();
    test::expectError(ErrorKind::InvalidOperation, [&] { testFloatingPointStatus(zero / zero); });
    clearFloatingPointStatus();
}

struct DivisionCase {
    const char* name;
    double dividend;
    double divisor;
    std::optional<ErrorKind> expected;
};

void PrintTo(const DivisionCase& row, std::ostream* out) {
    *out << row.name;
}

class DivisionStatusTest : public ::testing::TestWithParam<DivisionCase> {};

// The test after one division reports what that division raised, whatever else is
// pending: here every flag is, and only the division's own outcome counts.
TEST_P(DivisionStatusTest, SeesOnlyTheDivisionsOwnOutcome) {
    const DivisionCase& row = GetParam();
    volatile double dividend = row.dividend;
    volatile double divisor = row.divisor;
    std::feraiseexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW);
    test::expectErrorOrNone(row.expected, [&] { testDivisionStatus(divisor, dividend / divisor); });
    clearFloatingPointStatus();
}

INSTANTIATE_TEST_SUITE_P(
    Divisions, DivisionStatusTest,
    ::testing::Values(DivisionCase{"ordinary", 1.0, 3.0, std::nullopt},
                      DivisionCase{"reciprocal_of_large", 1.0, 1e300, std::nullopt},
                      DivisionCase{"underflow", 1e-300, 1e300, std::nullopt},
                      DivisionCase{"by_zero", 1.0, 0.0, ErrorKind::DivisionByZero},
                      DivisionCase{"by_negative_zero", 1.0, -0.0, ErrorKind::DivisionByZero},
                      DivisionCase{"overflow", 1.0, 1e-320, ErrorKind::Overflow},
                      DivisionCase{"zero_by_zero", 0.0, 0.0, ErrorKind::InvalidOperation}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::host
