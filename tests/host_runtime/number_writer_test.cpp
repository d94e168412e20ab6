#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "host/runtime/number_text.h"
#include "host/runtime/value.h"
#include "tests/support/expect_error.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace dorvek::host {
namespace {

constexpr char16_t pattern[] = u"##0.00000";

QString withComma(double value) {
    return formatNumber(value, pattern, NumberLocale::withComma());
}

// What printf's "%.5f" makes of the value, written as the pattern asks: the C
// library's rounding, the locale's separator, and no sign on a zero.
QString cLibraryText(double value, QChar separator) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.5f", value);
    QString text = QString::fromLatin1(buffer);
    if (text == QLatin1String("-0.00000")) {
        text.remove(0, 1);
    }
    return text.replace(QLatin1Char('.'), separator);
}

struct FormatCase {
    const char* name;
    double value;
    const char* expected; // in a comma locale
};

void PrintTo(const FormatCase& row, std::ostream* out) {
    *out << row.name;
}

class FormatProbabilityPatternTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatProbabilityPatternTest, WritesFiveDecimals) {
    const FormatCase& row = GetParam();
    EXPECT_EQ(withComma(row.value), QString::fromLatin1(row.expected));
    QString point = QString::fromLatin1(row.expected);
    EXPECT_EQ(formatNumber(row.value, pattern, NumberLocale::withPoint()),
              point.replace(QLatin1Char(','), QLatin1Char('.')));
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatProbabilityPatternTest,
    ::testing::Values(
        FormatCase{"zero", 0.0, "0,00000"}, FormatCase{"one", 1.0, "1,00000"},
        FormatCase{"just_under_one", 0.9999994266956514, "1,00000"},
        FormatCase{"one_sigma", 0.6826894905239611, "0,68269"},
        FormatCase{"swapped_bounds", -0.34134474586689506, "-0,34134"},
        FormatCase{"negative_zero", -0.0, "0,00000"},
        FormatCase{"negative_rounds_to_zero", -0.000004, "0,00000"},
        FormatCase{"negative_just_rounds_away", -0.0000051, "-0,00001"},
        FormatCase{"tiny_positive", 4.9406564584124654e-324, "0,00000"},
        // Exact ties at the fifth decimal (odd multiples of 1/64) go to even, as printf does.
        FormatCase{"tie_down_to_even", 0.015625, "0,01562"},
        FormatCase{"tie_up_to_even", 0.046875, "0,04688"},
        FormatCase{"negative_tie", -0.078125, "-0,07812"},
        FormatCase{"tie_above_one", 1.109375, "1,10938"},
        // Near a tie the binary value decides: 0.000015 lies just above it, 0.000035 below.
        FormatCase{"near_tie_above", 0.000015, "0,00002"},
        FormatCase{"near_tie_below", 0.000035, "0,00003"},
        FormatCase{"no_grouping", 1234567.891, "1234567,89100"},
        FormatCase{"large", 1e20, "100000000000000000000,00000"},
        FormatCase{"negative_large", -123456789012.345678, "-123456789012,34567"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatNumberTest, RoundsTiesAsTheCLibraryDoes) {
    for (int odd = -1023; odd <= 1023; odd += 2) {
        const double tie = odd / 64.0;
        EXPECT_EQ(withComma(tie), cLibraryText(tie, QLatin1Char(','))) << tie;
    }
}

TEST(FormatNumberTest, AgreesWithTheCLibraryEverywhere) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> probability(-1.0, 1.0);
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const double value = probability(random);
        ASSERT_EQ(withComma(value), cLibraryText(value, QLatin1Char(','))) << value;
        double anything = std::bit_cast<double>(bits(random));
        if (std::isfinite(anything)) {
            ASSERT_EQ(withComma(anything), cLibraryText(anything, QLatin1Char(','))) << anything;
        }
    }
}

TEST(FormatNumberTest, WritesTheLargestDoubleInFull) {
    const QString text = withComma(DBL_MAX);
    EXPECT_EQ(text.size(), 309 + 6);
    EXPECT_TRUE(text.startsWith(QLatin1String("17976931348623157081")));
    EXPECT_TRUE(text.endsWith(QLatin1String(",00000")));
    EXPECT_EQ(withComma(-DBL_MAX), QLatin1Char('-') + text);
}

TEST(FormatNumberTest, RefusesWhatHasNoText) {
    for (const double value :
         {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
          std::numeric_limits<double>::quiet_NaN()}) {
        test::expectError(ErrorKind::TypeMismatch, [value] { withComma(value); });
    }
}

TEST(FormatNumberTest, FollowsOtherPatternsOfTheSameForm) {
    const NumberLocale comma = NumberLocale::withComma();
    EXPECT_EQ(formatNumber(2.5, u"0", comma), QLatin1String("2"));
    EXPECT_EQ(formatNumber(0.25, u"#", comma), QLatin1String(""));
    EXPECT_EQ(formatNumber(0.25, u"#.00", comma), QLatin1String(",25"));
    EXPECT_EQ(formatNumber(7.0, u"000.0", comma), QLatin1String("007,0"));
    // Forty decimals are the most a pattern may ask for.
    EXPECT_EQ(formatNumber(0.5, QStringLiteral("0.") + QString(40, u'0'), comma),
              QStringLiteral("0,5") + QString(39, u'0'));
    for (const char16_t* wrong :
         {u"##0,00000", u"0.0#", u"x", u"0.00000000000000000000000000000000000000000"}) {
        test::expectError(ErrorKind::TypeMismatch, [&] { formatNumber(1.0, wrong, comma); });
    }
}

TEST(ToTextTest, WritesEachKind) {
    const NumberLocale comma = NumberLocale::withComma();
    EXPECT_EQ(toText(Value::ofText(QStringLiteral("Sonuç")), comma), QStringLiteral("Sonuç"));
    EXPECT_EQ(toText(Value::ofInteger16(-32768), comma), QLatin1String("-32768"));
    EXPECT_EQ(toText(Value::ofDouble(0.1), comma), QLatin1String("0,1"));
    EXPECT_EQ(toText(Value::ofDouble(0.1), NumberLocale::withPoint()), QLatin1String("0.1"));
    EXPECT_EQ(toText(Value::ofDouble(-0.34134474586689506), comma),
              QLatin1String("-0,34134474586689506"));
    EXPECT_EQ(toText(Value::ofDouble(1e300), comma), QLatin1String("1e+300"));
}

} // namespace
} // namespace dorvek::host
