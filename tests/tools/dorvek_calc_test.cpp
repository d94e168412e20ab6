// Runs the built dorvek-calc as scripts do, with the locale set in its environment.

#include "tests/tools/dorvek_calc_process.h"

#include <QString>
#include <QStringList>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <string>

namespace {

using dorvek::test::CalcRun;

CalcRun runCalc(const QStringList& arguments, const char* locale) {
    return dorvek::test::runDorvekCalcIn(locale, arguments);
}

QStringList args(std::initializer_list<const char*> list) {
    QStringList result;
    for (const char* argument : list) {
        result << QString::fromUtf8(argument);
    }
    return result;
}

struct ResultCase {
    const char* name;
    const char* locale;
    const char* lower;
    const char* upper;
    const char* expected;
};

void PrintTo(const ResultCase& row, std::ostream* out) {
    *out << row.name;
}

class CalcResultTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(CalcResultTest, PrintsExactlyTheResultText) {
    const ResultCase& row = GetParam();
    const CalcRun run = runCalc(args({row.lower, row.upper}), row.locale);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, QString::fromUtf8(row.expected) + QLatin1Char('\n'));
    EXPECT_EQ(run.standardError, QString());
}

INSTANTIATE_TEST_SUITE_P(
    Locales, CalcResultTest,
    ::testing::Values(
        ResultCase{"turkish_default", "tr_TR.UTF-8", "-5,00", "5,00", "1,00000"},
        ResultCase{"turkish_swapped", "tr_TR.UTF-8", "1", "0", "-0,34134"},
        ResultCase{"turkish_point_bounds", "tr_TR.UTF-8", "0", "1.96", "0,47500"},
        ResultCase{"english_default_comma_bounds", "en_US.UTF-8", "-5,00", "5,00", "1.00000"},
        ResultCase{"english_one_sigma", "en_US.UTF-8", "-1", "1", "0.68269"},
        ResultCase{"english_equal", "en_US.UTF-8", "2", "2", "0.00000"},
        ResultCase{"german_modifier", "de_DE@euro", "-3", "3", "0,99730"},
        ResultCase{"c_locale", "C", "-3", "3", "0.99730"},
        // U+2212 from a document, passed on as UTF-8 bytes.
        ResultCase{"turkish_minus_sign", "tr_TR.UTF-8", "−1,96", "0", "0,47500"},
        ResultCase{"english_minus_sign", "en_US.UTF-8", "0", "−1.96", "-0.47500"},
        ResultCase{"turkish_minus_sign_exponent", "tr_TR.UTF-8", "−1e−1", "1e−1", "0,07966"}),
    [](const auto& info) { return std::string(info.param.name); });

// A dash followed by a digit or a decimal separator starts a negative bound, not an
// option: a point or a comma in any locale, or the locale's own separator.
INSTANTIATE_TEST_SUITE_P(
    NegativeBounds, CalcResultTest,
    ::testing::Values(ResultCase{"point_decimals", "en_US.UTF-8", "-1.96", "0", "0.47500"},
                      ResultCase{"leading_point", "en_US.UTF-8", "-.5", "0", "0.19146"},
                      ResultCase{"leading_comma", "tr_TR.UTF-8", "-,5", "0", "0,19146"},
                      ResultCase{"whole_numbers", "tr_TR.UTF-8", "-5", "-1", "0,15865"},
                      ResultCase{"upper_bound_too", "tr_TR.UTF-8", "-2", "-1", "0,13591"},
                      ResultCase{"arabic_separator_after_the_dash", "ar_EG.UTF-8", "-\u066b5", "0",
                                 "0\u066b19146"}),
    [](const auto& info) { return std::string(info.param.name); });

// Only the variables named here decide the locale; the rest of the test's environment
// (CTest sets LC_ALL) is removed first.
CalcRun runCalcWith(const char* lcNumeric, const char* lang) {
    return dorvek::test::runDorvekCalc(args({"-1", "1"}),
                                       {"LC_ALL", "LC_NUMERIC", "LANG", "LANGUAGE"},
                                       {{"LC_NUMERIC", lcNumeric}, {"LANG", lang}});
}

TEST(CalcLocaleTest, TakesLcNumericWhenLcAllIsUnsetAndLangLast) {
    if (QSysInfo::productType() == u"windows") {
        GTEST_SKIP() << "Windows keeps the number conventions in the regional settings, "
                        "not in LC_NUMERIC or LANG";
    }
    EXPECT_EQ(runCalcWith("tr_TR.UTF-8", "en_US.UTF-8").standardOutput,
              QStringLiteral("0,68269\n"));
    EXPECT_EQ(runCalcWith(nullptr, "tr_TR.UTF-8").standardOutput, QStringLiteral("0,68269\n"));
    EXPECT_EQ(runCalcWith(nullptr, nullptr).standardOutput, QStringLiteral("0.68269\n"));
}

// --exact prints P itself: the shortest decimal that reads back to the same double,
// always with a point, whatever the locale. The texts come from the same trapezoid walk
// done apart from this program, in Python's doubles with the C library's exp; a sum of
// that walk in 40-digit arithmetic (mpmath) lies within 1e-14 of each. 0 to 1 and 1 to
// 0 walk the points in opposite directions, and so round apart.
class CalcExactTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(CalcExactTest, PrintsTheShortestRoundTripDecimal) {
    const ResultCase& row = GetParam();
    const CalcRun run = runCalc(args({"--exact", row.lower, row.upper}), row.locale);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.standardOutput, QString::fromLatin1(row.expected) + QLatin1Char('\n'));
    EXPECT_EQ(run.standardError, QString());
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, CalcExactTest,
    ::testing::Values(
        ResultCase{"zero_to_one_ninety_six", "tr_TR.UTF-8", "0", "1,96", "0.4750021044850768"},
        ResultCase{"zero_to_one", "en_US.UTF-8", "0", "1", "0.34134474586690977"},
        ResultCase{"one_to_zero", "tr_TR.UTF-8", "1", "0", "-0.34134474586689506"},
        ResultCase{"minus_one_to_one", "en_US.UTF-8", "-1", "1", "0.6826894905239611"},
        ResultCase{"shipped_bounds_turkish", "tr_TR.UTF-8", "-5,00", "5,00", "0.9999994266956514"},
        ResultCase{"shipped_bounds_english", "en_US.UTF-8", "-5,00", "5,00", "0.9999994266956514"},
        ResultCase{"equal_bounds", "tr_TR.UTF-8", "0,25", "0,25", "0"}),
    [](const auto& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    QStringList arguments;
    int exitCode;
    const char* errorText; // a part of standard error
    bool usageOnStandardOutput = false;
};

void PrintTo(const FailureCase& row, std::ostream* out) {
    *out << row.name;
}

class CalcFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CalcFailureTest, ReportsOnStandardErrorWithTheExitCode) {
    const FailureCase& row = GetParam();
    const CalcRun run = runCalc(row.arguments, "tr_TR.UTF-8");
    EXPECT_EQ(run.exitCode, row.exitCode);
    if (row.usageOnStandardOutput) {
        EXPECT_TRUE(run.standardOutput.startsWith(QStringLiteral("Kullanım: dorvek-calc")));
        EXPECT_EQ(run.standardError, QString());
        return;
    }
    EXPECT_EQ(run.standardOutput, QString());
    EXPECT_TRUE(run.standardError.contains(QString::fromUtf8(row.errorText)))
        << run.standardError.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CalcFailureTest,
    ::testing::Values(
        FailureCase{"letters", args({"abc", "1"}), 1,
                    "dorvek-calc: hata 13: «abc» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 "
                    "gibi bir sayı olarak yazın.\n"},
        FailureCase{"empty_upper", args({"0", ""}), 1,
                    "dorvek-calc: hata 13: Sınırlardan biri boş. Oraya bir sayı yazın, örneğin "
                    "-1,96.\n"},
        FailureCase{"bound_38", args({"38", "0"}), 1,
                    "dorvek-calc: hata 6: Sınırlardan biri hesap için fazla büyük. Sınırların "
                    "mutlak değeri en çok yaklaşık 37,677 olabilir. Daha küçük bir sınır yazın.\n"},
        FailureCase{"exact_bound_minus_38", args({"--exact", "0", "-38"}), 1,
                    "dorvek-calc: hata 6: Sınırlardan biri hesap için fazla büyük. Sınırların "
                    "mutlak değeri en çok yaklaşık 37,677 olabilir. Daha küçük bir sınır yazın.\n"},
        FailureCase{"bound_beyond_the_doubles", args({"1e400", "0"}), 1,
                    "dorvek-calc: hata 6: «1e400» hesap için fazla büyük bir sayı. Sınırların "
                    "mutlak değeri en çok yaklaşık 37,677 olabilir.\n"},
        FailureCase{"span_beyond_the_doubles", args({"--", "-1e308", "1e308"}), 1,
                    "dorvek-calc: hata 6: Hesap sırasında bir sayı bilgisayarın "
                    "tutabileceğinden büyük çıktı (taşma). Daha küçük sınırlarla yeniden "
                    "deneyin.\n"},
        FailureCase{"no_arguments", args({}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"one_bound", args({"1"}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"three_bounds", args({"1", "2", "3"}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"exact_alone", args({"--exact"}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"unknown_option_with_bounds", args({"--verbose", "1", "2"}), 2,
                    "Kullanım: dorvek-calc"},
        FailureCase{"unknown_option_as_a_bound", args({"--foo", "1"}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"help_with_more", args({"--help", "extra"}), 2, "Kullanım: dorvek-calc"},
        FailureCase{"help", args({"--help"}), 0, "", true}),
    [](const auto& info) { return std::string(info.param.name); });

// A minus sign U+2212 copied from a document begins no option: the bound goes to the
// number reader, which takes it for a minus.
TEST(CalcArgumentsTest, TakesAMinusSignForABoundNotAnOption) {
    const CalcRun run = runCalc(args({"0", "\u22121,96"}), "tr_TR.UTF-8");
    EXPECT_EQ(run.exitCode, 0) << run.standardError.toStdString();
    EXPECT_EQ(run.standardOutput, QStringLiteral("-0,47500\n"));
}

// The error line writes its numbers as the user's locale does.
TEST(CalcFailureTest, WritesTheLimitInTheUsersNotation) {
    const CalcRun run = runCalc(args({"0", "38"}), "en_US.UTF-8");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.standardError,
              QStringLiteral("dorvek-calc: hata 6: Sınırlardan biri hesap için fazla büyük. "
                             "Sınırların mutlak değeri en çok yaklaşık 37.677 olabilir. Daha "
                             "küçük bir sınır yazın.\n"));
    EXPECT_EQ(runCalc(args({"x1", "0"}), "C").standardError,
              QStringLiteral("dorvek-calc: hata 13: «x1» bir sayı olarak okunamadı. Sınırı -1.96 "
                             "ya da 5 gibi bir sayı olarak yazın.\n"));
}

// Negative bounds are bounds, not options, with or without "--".
TEST(CalcArgumentsTest, TakesNegativeBounds) {
    EXPECT_EQ(runCalc(args({"-1", "-0,5"}), "tr_TR.UTF-8").standardOutput,
              QStringLiteral("0,14988\n"));
    EXPECT_EQ(runCalc(args({"--", "-1", "-0,5"}), "tr_TR.UTF-8").standardOutput,
              QStringLiteral("0,14988\n"));
}

} // namespace
