#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "host/runtime/number_text.h"
#include "tests/support/expect_error.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace dorvek::host {
namespace {

struct ReadCase {
    const char* name;
    QString text;
    std::optional<double> expected; // empty when an error is expected
    ErrorKind error = ErrorKind::TypeMismatch;
};

void PrintTo(const ReadCase& row, std::ostream* out) {
    *out << row.name;
}

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// Both locales read every row alike: either separator is accepted in each.
class ReadNumberTest : public ::testing::TestWithParam<std::tuple<ReadCase, bool>> {};

TEST_P(ReadNumberTest, ReadsOrRefuses) {
    const auto& [row, comma] = GetParam();
    const NumberLocale locale = comma ? NumberLocale::withComma() : NumberLocale::withPoint();
    if (row.expected) {
        const double value = readNumber(row.text, locale);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(*row.expected))
            << "got " << value << ", expected " << *row.expected;
        return;
    }
    const QString& text = row.text; // clang 14 captures no structured binding
    test::expectError(row.error, [&] { readNumber(text, locale); });
}

const ReadCase readCases[] = {
    {"default_lower_bound", u("-5,00"), -5.0},
    {"default_upper_bound", u("5,00"), 5.0},
    {"point_separator", u("-5.00"), -5.0},
    {"integer", u("5"), 5.0},
    {"plus_sign", u("+1,96"), 1.96},
    {"leading_separator", u(",5"), 0.5},
    {"trailing_separator", u("5."), 5.0},
    {"leading_zeros", u("007"), 7.0},
    {"negative_zero", u("-0"), -0.0},
    {"blanks_around", u("  1,5\t"), 1.5},
    {"newline_after", u("2\n"), 2.0},
    {"exponent", u("1,5e3"), 1500.0},
    {"capital_exponent_with_sign", u("2E-2"), 0.02},
    {"exponent_with_plus", u("1e+2"), 100.0},
    {"exponent_after_separator", u("3.e1"), 30.0},
    // U+2212, the minus sign of word processors and web pages, wherever '-' goes.
    {"minus_sign", u("−1,96"), -1.96},
    {"minus_sign_point", u("−5.00"), -5.0},
    {"minus_sign_zero", u("−0"), -0.0},
    {"minus_sign_after_blanks", u(" −2 "), -2.0},
    {"minus_sign_in_exponent", u("2e−2"), 0.02},
    {"minus_signs_twice", u("−1e−1"), -0.1},
    {"correctly_rounded", u("0,1"), 0.1},
    {"halfway_rounds_to_even", u("9007199254740993"), 9007199254740992.0},
    {"many_digits", u("0.1000000000000000055511151231257827"), 0.1},
    {"largest_double", u("1.7976931348623157e308"), DBL_MAX},
    {"smallest_subnormal", u("4.9406564584124654e-324"), 4.9406564584124654e-324},
    {"exponent_brings_back_into_range", u("0,001e310"), 1e307},
    {"underflow_reads_zero", u("1e-400"), 0.0},
    {"negative_underflow_reads_negative_zero", u("-2,5e-999"), -0.0},
    {"huge_negative_exponent", u("1e-99999999999999999999"), 0.0},
    {"zero_with_huge_exponent", u("0e99999999999"), 0.0},
    // The magnitude counts neither leading zeros nor the zeros after the separator as digits.
    {"leading_zeros_then_underflow", QString(400, u'0') + u("1e-400"), 0.0},
    {"fraction_zeros_then_underflow", u("0,") + QString(1000, u'0') + u("1e500"), 0.0},
    // Beyond the double range.
    {"beyond_double", u("1e309"), std::nullopt, ErrorKind::Overflow},
    {"just_beyond_largest", u("1.7976931348623159e308"), std::nullopt, ErrorKind::Overflow},
    {"negative_beyond", u("-1,8e308"), std::nullopt, ErrorKind::Overflow},
    {"huge_exponent", u("1e99999999999999999999"), std::nullopt, ErrorKind::Overflow},
    {"minus_sign_beyond", u("−1e309"), std::nullopt, ErrorKind::Overflow},
    {"400_integer_digits", u("1") + QString(400, u'0'), std::nullopt, ErrorKind::Overflow},
    // Everything else is a type mismatch.
    {"empty", u(""), std::nullopt},
    {"blanks_alone", u("   "), std::nullopt},
    {"letters", u("abc"), std::nullopt},
    {"digits_then_letters", u("5a"), std::nullopt},
    {"inf", u("inf"), std::nullopt},
    {"negative_infinity", u("-Infinity"), std::nullopt},
    {"nan", u("nan"), std::nullopt},
    {"NaN", u("NaN"), std::nullopt},
    {"hexadecimal", u("0x10"), std::nullopt},
    {"hexadecimal_float", u("0x1p3"), std::nullopt},
    {"two_commas", u("1,2,3"), std::nullopt},
    {"point_then_comma", u("1.2,3"), std::nullopt},
    {"grouping", u("1.000,5"), std::nullopt},
    {"blank_grouping", u("1 000"), std::nullopt},
    {"sign_alone", u("-"), std::nullopt},
    {"plus_alone", u("+"), std::nullopt},
    {"separator_alone", u(","), std::nullopt},
    {"sign_and_separator", u("-."), std::nullopt},
    {"two_signs", u("+-5"), std::nullopt},
    {"sign_after", u("5-"), std::nullopt},
    {"blank_after_sign", u("- 5"), std::nullopt},
    {"minus_sign_alone", u("−"), std::nullopt},
    {"minus_sign_then_hyphen", u("−-5"), std::nullopt},
    {"minus_sign_after", u("5−"), std::nullopt},
    {"minus_sign_in_the_middle", u("1−2"), std::nullopt},
    // Only the minus sign: dashes and other look-alikes stay refused.
    {"en_dash", u("–5"), std::nullopt},
    {"hyphen", u("‐5"), std::nullopt},
    {"fullwidth_hyphen_minus", u("－5"), std::nullopt},
    {"exponent_without_digits", u("1e"), std::nullopt},
    {"exponent_sign_without_digits", u("1e+"), std::nullopt},
    {"exponent_alone", u("e5"), std::nullopt},
    {"fractional_exponent", u("1e5.5"), std::nullopt},
    {"trailing_junk", u("1,5 x"), std::nullopt},
    {"underscore", u("1_000"), std::nullopt},
    {"fullwidth_digit", u("５"), std::nullopt},
    {"arabic_indic_digit", u("٥"), std::nullopt},
    {"nul_alone", QString(1, QChar(u'\0')), std::nullopt},
    {"nul_after_digit", u("5") + QChar(u'\0'), std::nullopt},
    {"nul_before_digit", QChar(u'\0') + u("5"), std::nullopt},
    {"lone_high_surrogate_after", u("5") + QChar(char16_t(0xD800)), std::nullopt},
    {"lone_low_surrogate_before", QChar(char16_t(0xDC00)) + u("5"), std::nullopt},
    {"replacement_character", u("5\xEF\xBF\xBD"), std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Texts, ReadNumberTest,
                         ::testing::Combine(::testing::ValuesIn(readCases), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_comma" : "_point");
                         });

// Both errors of the reader carry the text as it was given, for the message to name.
TEST(ReadNumberTest, ErrorsCarryTheText) {
    const struct {
        QString text;
        ErrorKind kind;
    } cases[] = {{u("abc"), ErrorKind::TypeMismatch},   {u(""), ErrorKind::TypeMismatch},
                 {u(" 5x "), ErrorKind::TypeMismatch},  {u("1e"), ErrorKind::TypeMismatch},
                 {u("1,2,3"), ErrorKind::TypeMismatch}, {u(" -1e400"), ErrorKind::Overflow}};
    for (const auto& row : cases) {
        const std::optional<Error> error =
            test::expectError(row.kind, [&] { readNumber(row.text, NumberLocale::withComma()); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->cause(), ErrorCause::NumberText) << row.text.toStdString();
        EXPECT_EQ(error->numberText(), row.text);
    }
}

// 100 000 digits: read to the end without trouble, correctly rounded.
TEST(ReadNumberTest, ReadsVeryLongTexts) {
    const NumberLocale comma = NumberLocale::withComma();
    EXPECT_EQ(readNumber(u("0,") + QString(100000, u'3'), comma), 1.0 / 3.0);
    EXPECT_EQ(readNumber(u("0,") + QString(100000, u'0') + u("1"), comma), 0.0);
    EXPECT_EQ(readNumber(QString(100000, u'0') + u("1,25"), comma), 1.25);
    EXPECT_EQ(readNumber(u("1,") + QString(99998, u'0') + u("e-2"), comma), 0.01);
    test::expectError(ErrorKind::Overflow, [&] { readNumber(QString(100000, u'9'), comma); });
    // Two million digits and an exponent that brings them out of range the other way.
    EXPECT_EQ(readNumber(u("1") + QString(2000000, u'0') + u("e-2000400"), comma), 0.0);
    test::expectError(ErrorKind::Overflow, [&] {
        readNumber(u("0,") + QString(2000000, u'0') + u("1e2000400"), comma);
    });
}

// A locale whose separator is neither '.' nor ',' still reads both of them, and its own.
TEST(ReadNumberTest, ReadsTheLocalesOwnSeparator) {
    const NumberLocale arabic{QChar(u'\u066B')};
    EXPECT_EQ(readNumber(QStringView(u"1\u066B5"), arabic), 1.5);
    EXPECT_EQ(readNumber(u("1,5"), arabic), 1.5);
    EXPECT_EQ(readNumber(u("1.5"), arabic), 1.5);
}

} // namespace
} // namespace dorvek::host
