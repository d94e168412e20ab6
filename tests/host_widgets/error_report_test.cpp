#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "host/widgets/event_dispatch.h"
#include "tests/support/scoped_locale.h"

#include <QString>
#include <gtest/gtest.h>
#include <string>

namespace dorvek::host {
namespace {

QString u(const char* utf8) {
    return QString::fromUtf8(utf8);
}

struct ReportCase {
    const char* name;
    Error error;
    bool comma;
    const char* text; // of the box, UTF-8
};

void PrintTo(const ReportCase& row, std::ostream* out) {
    *out << row.name;
}

class ErrorReportTextTest : public ::testing::TestWithParam<ReportCase> {};

// What happened and what to do first, the number below it for reference.
TEST_P(ErrorReportTextTest, PutsTheMessageFirstAndTheNumberBelow) {
    const ReportCase& row = GetParam();
    const NumberLocale locale = row.comma ? NumberLocale::withComma() : NumberLocale::withPoint();
    EXPECT_EQ(errorReportText(row.error, locale), u(row.text));
}

INSTANTIATE_TEST_SUITE_P(
    Errors, ErrorReportTextTest,
    ::testing::Values(
        ReportCase{"letters_point", Error(ErrorKind::TypeMismatch, u"abc"), false,
                   "«abc» bir sayı olarak okunamadı. Sınırı -1.96 ya da 5 gibi bir sayı olarak "
                   "yazın.\n\nHata numarası: 13"},
        // A typed "%2" is the user's text, never the place of the number.
        ReportCase{"typed_place_marker", Error(ErrorKind::TypeMismatch, u"%2"), true,
                   "«%2» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak "
                   "yazın.\n\nHata numarası: 13"},
        ReportCase{"picture", Error(ErrorKind::InvalidPicture), true,
                   "Resim bozuk olduğu için çizilemedi.\n\nHata numarası: 481"}),
    [](const auto& info) { return std::string(info.param.name); });

// The window's box takes the separator from the user's locale at the time it shows.
TEST(ErrorReportText, FollowsTheUsersLocale) {
    const Error error(ErrorKind::Overflow, u"1e999");
    {
        const test::ScopedLocale locale("tr_TR.UTF-8");
        EXPECT_EQ(errorReportText(error),
                  u"«1e999» hesap için fazla büyük bir sayı. Sınırların mutlak değeri en çok "
                  u"yaklaşık 37,677 olabilir.\n\nHata numarası: 6");
    }
    {
        const test::ScopedLocale locale("C");
        EXPECT_EQ(errorReportText(error),
                  u"«1e999» hesap için fazla büyük bir sayı. Sınırların mutlak değeri en çok "
                  u"yaklaşık 37.677 olabilir.\n\nHata numarası: 6");
    }
}

} // namespace
} // namespace dorvek::host
