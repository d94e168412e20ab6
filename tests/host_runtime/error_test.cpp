#include "host/runtime/error.h"
#include "tests/support/expect_error.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace dorvek::host {
namespace {

struct ErrorCase {
    const char* name;
    ErrorKind kind;
    int number;
    ErrorCause cause;
    std::optional<QString> text; // raised with a number text
    const char* comma;           // the message under a comma locale, UTF-8
    const char* point;           // under a point locale; what() carries this one
};

void PrintTo(const ErrorCase& row, std::ostream* out) {
    *out << row.name;
}

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

Error made(const ErrorCase& row) {
    return row.text ? Error(row.kind, *row.text) : Error(row.kind, row.cause);
}

class ErrorMessageTest : public ::testing::TestWithParam<ErrorCase> {};

// The numbers are what the user and scripts see: they must never change.
TEST_P(ErrorMessageTest, CarriesItsStableNumberAndTurkishMessage) {
    const ErrorCase& row = GetParam();
    const Error error = made(row);
    EXPECT_EQ(error.kind(), row.kind);
    EXPECT_EQ(error.number(), row.number);
    EXPECT_EQ(error.cause(), row.cause);
    EXPECT_EQ(error.message(NumberLocale::withComma()), u(row.comma));
    EXPECT_EQ(error.message(NumberLocale::withPoint()), u(row.point));
    EXPECT_STREQ(error.what(), row.point);
}

// raise() throws what the constructor makes: the text and the cause arrive.
TEST_P(ErrorMessageTest, IsRaisedWithWhatTheRaiserKnows) {
    const ErrorCase& row = GetParam();
    try {
        if (row.text) {
            raise(row.kind, *row.text);
        } else {
            raise(row.kind, row.cause);
        }
    } catch (const Error& error) {
        EXPECT_EQ(error.number(), row.number);
        EXPECT_EQ(error.cause(), row.cause);
        EXPECT_EQ(error.numberText(), row.text.value_or(QString()));
        EXPECT_EQ(error.message(NumberLocale::withComma()), u(row.comma));
        return;
    }
    ADD_FAILURE() << "raised nothing";
}

const ErrorCase errorCases[] = {
    {"unreadable_text", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText, u("abc"),
     "«abc» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.",
     "«abc» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi bir sayı olarak yazın."},
    {"unreadable_text_shown_without_its_blanks", ErrorKind::TypeMismatch, 13,
     ErrorCause::NumberText, u("  5 x\t"),
     "«5 x» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.",
     "«5 x» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi bir sayı olarak yazın."},
    // A typed place marker stays as typed.
    {"text_like_a_place_marker", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText, u("%1%2"),
     "«%1%2» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.",
     "«%1%2» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi bir sayı olarak yazın."},
    // A line break would split dorvek-calc's one line in two.
    {"control_characters_replaced", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText,
     u("1\n2") + QChar(u'\0') + u("3"),
     "«1\xEF\xBF\xBD"
     "2\xEF\xBF\xBD"
     "3» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi "
     "bir sayı olarak yazın.",
     "«1\xEF\xBF\xBD"
     "2\xEF\xBF\xBD"
     "3» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi "
     "bir sayı olarak yazın."},
    // Forty characters are shown whole; from the forty-first on the text is cut.
    {"forty_characters_shown_whole", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText,
     u("abcdefghijabcdefghijabcdefghijabcdefghij"),
     "«abcdefghijabcdefghijabcdefghijabcdefghij» bir sayı olarak okunamadı. Sınırı -1,96 ya da "
     "5 gibi bir sayı olarak yazın.",
     "«abcdefghijabcdefghijabcdefghijabcdefghij» bir sayı olarak okunamadı. Sınırı -1.96 ya da "
     "5 gibi bir sayı olarak yazın."},
    {"forty_one_characters_cut", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText,
     u("abcdefghijabcdefghijabcdefghijabcdefghijK"),
     "«abcdefghijabcdefghijabcdefghijabcdefghij…» bir sayı olarak okunamadı. Sınırı -1,96 ya "
     "da 5 gibi bir sayı olarak yazın.",
     "«abcdefghijabcdefghijabcdefghijabcdefghij…» bir sayı olarak okunamadı. Sınırı -1.96 ya "
     "da 5 gibi bir sayı olarak yazın."},
    // A character outside the BMP counts as one and is never split.
    {"cut_keeps_a_character_whole", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText,
     u("abcdefghijabcdefghijabcdefghijabcdefghi\xF0\x9D\x9F\x8F"
       "1"),
     "«abcdefghijabcdefghijabcdefghijabcdefghi\xF0\x9D\x9F\x8F…» bir sayı olarak okunamadı. "
     "Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.",
     "«abcdefghijabcdefghijabcdefghijabcdefghi\xF0\x9D\x9F\x8F…» bir sayı olarak okunamadı. "
     "Sınırı -1.96 ya da 5 gibi bir sayı olarak yazın."},
    {"empty_text", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText, u(""),
     "Sınırlardan biri boş. Oraya bir sayı yazın, örneğin -1,96.",
     "Sınırlardan biri boş. Oraya bir sayı yazın, örneğin -1.96."},
    {"blanks_alone", ErrorKind::TypeMismatch, 13, ErrorCause::NumberText, u(" \t "),
     "Sınırlardan biri boş. Oraya bir sayı yazın, örneğin -1,96.",
     "Sınırlardan biri boş. Oraya bir sayı yazın, örneğin -1.96."},
    {"value_of_another_kind", ErrorKind::TypeMismatch, 13, ErrorCause::Unspecified, std::nullopt,
     "Hesapta sayı beklenen yerde başka türde bir değer bulundu.",
     "Hesapta sayı beklenen yerde başka türde bir değer bulundu."},
    {"text_beyond_the_doubles", ErrorKind::Overflow, 6, ErrorCause::NumberText, u("1e400"),
     "«1e400» hesap için fazla büyük bir sayı. Sınırların mutlak değeri en çok yaklaşık 37,677 "
     "olabilir.",
     "«1e400» hesap için fazla büyük bir sayı. Sınırların mutlak değeri en çok yaklaşık 37.677 "
     "olabilir."},
    {"bound_beyond_the_density", ErrorKind::Overflow, 6, ErrorCause::ExponentialRange, std::nullopt,
     "Sınırlardan biri hesap için fazla büyük. Sınırların mutlak değeri en çok yaklaşık 37,677 "
     "olabilir. Daha küçük bir sınır yazın.",
     "Sınırlardan biri hesap için fazla büyük. Sınırların mutlak değeri en çok yaklaşık 37.677 "
     "olabilir. Daha küçük bir sınır yazın."},
    // Arithmetic that overflows knows no bound, so no limit is promised.
    {"arithmetic_overflow", ErrorKind::Overflow, 6, ErrorCause::Unspecified, std::nullopt,
     "Hesap sırasında bir sayı bilgisayarın tutabileceğinden büyük çıktı (taşma). Daha küçük "
     "sınırlarla yeniden deneyin.",
     "Hesap sırasında bir sayı bilgisayarın tutabileceğinden büyük çıktı (taşma). Daha küçük "
     "sınırlarla yeniden deneyin."},
    {"invalid_operation", ErrorKind::InvalidOperation, 5, ErrorCause::Unspecified, std::nullopt,
     "Hesapta tanımsız bir işlem oldu (örneğin eksi bir sayının karekökü). Başka sınırlarla "
     "yeniden deneyin.",
     "Hesapta tanımsız bir işlem oldu (örneğin eksi bir sayının karekökü). Başka sınırlarla "
     "yeniden deneyin."},
    {"division_by_zero", ErrorKind::DivisionByZero, 11, ErrorCause::Unspecified, std::nullopt,
     "Hesapta bir sayı sıfıra bölündü. Başka sınırlarla yeniden deneyin.",
     "Hesapta bir sayı sıfıra bölündü. Başka sınırlarla yeniden deneyin."},
    {"control_call_failed", ErrorKind::ControlCallFailed, 440, ErrorCause::Unspecified,
     std::nullopt, "Penceredeki bir kutu okunamadı ya da yazılamadı.",
     "Penceredeki bir kutu okunamadı ya da yazılamadı."},
    {"invalid_picture", ErrorKind::InvalidPicture, 481, ErrorCause::Unspecified, std::nullopt,
     "Resim bozuk olduğu için çizilemedi.", "Resim bozuk olduğu için çizilemedi."},
    {"unknown", static_cast<ErrorKind>(99), 99, ErrorCause::Unspecified, std::nullopt,
     "Bilinmeyen hata.", "Bilinmeyen hata."},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ErrorMessageTest, ::testing::ValuesIn(errorCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ErrorTest, IsAStandardException) {
    const std::exception& error = Error(ErrorKind::TypeMismatch, u"x");
    EXPECT_STREQ(error.what(),
                 "«x» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi bir sayı olarak yazın.");
}

// The text is kept as it was given, blanks and all; only the message trims it.
TEST(ErrorTest, KeepsTheNumberTextWhole) {
    const QString text = u(" 1,5 a ") + QString(100, u'9');
    EXPECT_EQ(Error(ErrorKind::TypeMismatch, text).numberText(), text);
    EXPECT_EQ(Error(ErrorKind::Overflow).numberText(), QString());
}

} // namespace
} // namespace dorvek::host
