#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "tests/support/expect_error.h"
#include "tests/support/plain_double_integration.h"
#include "tests/support/recording_boxes.h"

#include <bit>
#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <numbers>
#include <optional>
#include <string>

namespace dorvek::numeric {
namespace {

using host::NumberLocale;
using test::RecordingBoxes;

double Phi(double x) {
    return 0.5 * std::erfc(-x / std::numbers::sqrt2);
}

// The shortest text that reads back to exactly this double.
QString exactText(double value) {
    char buffer[32];
    const auto end = std::to_chars(std::begin(buffer), std::end(buffer), value).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

struct ResultCase {
    const char* name;
    const char* lower;
    const char* upper;
    const char* expected; // with the comma; the point locale shows a point
};

void PrintTo(const ResultCase& row, std::ostream* out) {
    *out << row.name;
}

class ResultTextTest : public ::testing::TestWithParam<std::tuple<ResultCase, bool>> {};

// Bound texts are tried with either separator in either locale: the shipped "-5,00"
// must read the same under a point locale.
TEST_P(ResultTextTest, ShowsTheProbabilityWithFiveDecimals) {
    const auto& [row, comma] = GetParam();
    const NumberLocale locale = comma ? NumberLocale::withComma() : NumberLocale::withPoint();
    QString expected = QString::fromLatin1(row.expected);
    if (!comma) {
        expected.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
        RecordingBoxes boxes(QString::fromLatin1(row.lower).replace(QLatin1Char(','), separator),
                             QString::fromLatin1(row.upper).replace(QLatin1Char(','), separator));
        Integrate(boxes, locale);
        EXPECT_EQ(boxes.resultText(), expected) << "bounds written with " << separator.toLatin1();
        EXPECT_EQ(boxes.calls(), QStringList({QStringLiteral("lower"), QStringLiteral("upper"),
                                              QStringLiteral("set ") + expected}));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ResultTextTest,
    ::testing::Combine(::testing::Values(ResultCase{"default_bounds", "-5,00", "5,00", "1,00000"},
                                         ResultCase{"one_sigma", "-1", "1", "0,68269"},
                                         ResultCase{"to_1_96", "0", "1,96", "0,47500"},
                                         ResultCase{"three_sigma", "-3", "3", "0,99730"},
                                         ResultCase{"equal_bounds", "1,5", "1,5", "0,00000"},
                                         ResultCase{"swapped_bounds", "1", "0", "-0,34134"},
                                         ResultCase{"blanks_and_exponent", " -1e0 ", "+1,0E+0",
                                                    "0,68269"}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "_comma" : "_point");
    });

struct BoundsCase {
    const char* name;
    double lower;
    double upper;
};

void PrintTo(const BoundsCase& row, std::ostream* out) {
    *out << row.name;
}

class OracleTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(OracleTest, IsBitIdenticalToThePlainDoubleLoop) {
    const BoundsCase& row = GetParam();
    RecordingBoxes boxes(exactText(row.lower), exactText(row.upper));
    const double P = integrateProbability(boxes, NumberLocale::withPoint());
    const double expected = test::plainDoubleProbability(row.lower, row.upper);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(P), std::bit_cast<std::uint64_t>(expected))
        << "P = " << exactText(P).toStdString() << ", loop = " << exactText(expected).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, OracleTest,
    ::testing::Values(BoundsCase{"default", -5.0, 5.0}, BoundsCase{"one_sigma", -1.0, 1.0},
                      BoundsCase{"to_1_96", 0.0, 1.96}, BoundsCase{"swapped", 1.0, 0.0},
                      BoundsCase{"swapped_wide", 4.5, -3.25}, BoundsCase{"equal", 0.7, 0.7},
                      BoundsCase{"both_zero", 0.0, 0.0}, BoundsCase{"tiny", 1e-300, 3e-300},
                      BoundsCase{"tiny_around_zero", -1e-12, 2e-12},
                      BoundsCase{"subnormal", 0.0, 4.9406564584124654e-324},
                      BoundsCase{"awkward_decimals", 0.1, 0.7}, BoundsCase{"one_sided", -37.6, 0.0},
                      BoundsCase{"near_the_overflow", -37.6, 37.6},
                      BoundsCase{"near_the_overflow_swapped", 37.67, -37.67},
                      BoundsCase{"at_the_limit_the_message_states", -37.677, 37.677},
                      BoundsCase{"far_tail", 30.0, 37.6}),
    [](const auto& info) { return std::string(info.param.name); });

// Within +-5 the trapezoid rule is within 1e-8 of the distribution function.
TEST(AccuracyTest, AgreesWithPhiOverAGridOfBounds) {
    double worst = 0.0;
    for (int i = -20; i <= 20; ++i) {
        for (int j = -20; j <= 20; ++j) {
            const double A = i * 0.25;
            const double B = j * 0.25;
            RecordingBoxes boxes(exactText(A), exactText(B));
            const double P = integrateProbability(boxes, NumberLocale::withPoint());
            const double difference = std::fabs(P - (Phi(B) - Phi(A)));
            worst = std::max(worst, difference);
            ASSERT_LT(difference, 1e-8) << "A = " << A << ", B = " << B;
        }
    }
    char worstText[32];
    std::snprintf(worstText, sizeof worstText, "%.3g", worst);
    RecordProperty("worst_difference", worstText);
}

struct ErrorCase {
    const char* name;
    const char* lower;
    const char* upper;
    host::ErrorKind expected;
    bool upperRead;
    host::ErrorCause cause; // what the user is told to change
};

void PrintTo(const ErrorCase& row, std::ostream* out) {
    *out << row.name;
}

class IntegrateErrorTest : public ::testing::TestWithParam<ErrorCase> {};

// The first error ends the computation: the result text is never set, and when the
// lower bound fails the upper one is not even read.
TEST_P(IntegrateErrorTest, EndsWithTheErrorAndLeavesTheResultAlone) {
    const ErrorCase& row = GetParam();
    RecordingBoxes boxes(QString::fromUtf8(row.lower), QString::fromUtf8(row.upper));
    const std::optional<host::Error> error =
        test::expectError(row.expected, [&] { Integrate(boxes, NumberLocale::withComma()); });
    if (error) {
        EXPECT_EQ(error->cause(), row.cause);
    }
    QStringList reads{QStringLiteral("lower")};
    if (row.upperRead) {
        reads << QStringLiteral("upper");
    }
    EXPECT_EQ(boxes.calls(), reads);
    EXPECT_EQ(boxes.resultText(), QStringLiteral("önceki"));
}

using host::ErrorKind;
using enum host::ErrorCause;

INSTANTIATE_TEST_SUITE_P(
    Bounds, IntegrateErrorTest,
    ::testing::Values(
        ErrorCase{"empty_lower", "", "5,00", ErrorKind::TypeMismatch, false, NumberText},
        ErrorCase{"blank_lower", "   ", "5,00", ErrorKind::TypeMismatch, false, NumberText},
        ErrorCase{"letters_lower", "abc", "5,00", ErrorKind::TypeMismatch, false, NumberText},
        ErrorCase{"lower_beyond_double", "1e999", "5,00", ErrorKind::Overflow, false, NumberText},
        ErrorCase{"empty_upper", "-5,00", "", ErrorKind::TypeMismatch, true, NumberText},
        ErrorCase{"letters_upper", "-5,00", "beş", ErrorKind::TypeMismatch, true, NumberText},
        // The density's range is what the user is told of: |bound| at most about 37.677.
        ErrorCase{"lower_38", "38", "0", ErrorKind::Overflow, true, ExponentialRange},
        ErrorCase{"upper_minus_38", "0", "-38", ErrorKind::Overflow, true, ExponentialRange},
        ErrorCase{"upper_38", "-1", "38", ErrorKind::Overflow, true, ExponentialRange},
        ErrorCase{"upper_just_beyond_the_limit", "0", "37,6772", ErrorKind::Overflow, true,
                  ExponentialRange},
        ErrorCase{"interior_beyond_the_threshold", "-40", "40", ErrorKind::Overflow, true,
                  ExponentialRange},
        // Arithmetic that leaves the doubles before the density is asked.
        ErrorCase{"span_leaves_the_range", "-1e308", "1e308", ErrorKind::Overflow, true,
                  Unspecified},
        ErrorCase{"square_leaves_the_range", "1e200", "1e200", ErrorKind::Overflow, true,
                  Unspecified}),
    [](const auto& info) { return std::string(info.param.name); });

class PendingFlagTest : public ::testing::TestWithParam<int> {
protected:
    void TearDown() override { std::feclearexcept(FE_ALL_EXCEPT); }
};

// A flag left by anything before the click must not end the click in an error.
TEST_P(PendingFlagTest, NeverRaisesAFalseError) {
    ASSERT_EQ(std::feraiseexcept(GetParam()), 0);
    RecordingBoxes boxes(QStringLiteral("-1"), QStringLiteral("1"));
    EXPECT_NO_THROW(Integrate(boxes, NumberLocale::withComma()));
    EXPECT_EQ(boxes.resultText(), QStringLiteral("0,68269"));
}

INSTANTIATE_TEST_SUITE_P(Flags, PendingFlagTest,
                         ::testing::Values(FE_INVALID, FE_DIVBYZERO, FE_OVERFLOW,
                                           FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW),
                         [](const auto& info) {
                             switch (info.param) {
                             case FE_INVALID:
                                 return std::string("invalid");
                             case FE_DIVBYZERO:
                                 return std::string("division_by_zero");
                             case FE_OVERFLOW:
                                 return std::string("overflow");
                             default:
                                 return std::string("all");
                             }
                         });

} // namespace
} // namespace dorvek::numeric
