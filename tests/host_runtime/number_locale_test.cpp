#include "host/runtime/number_locale.h"

#include <QString>
#include <gtest/gtest.h>

namespace dorvek::host {
namespace {

struct LocaleNameCase {
    const char* name;
    const char* posixName;
    char separator;
};

void PrintTo(const LocaleNameCase& row, std::ostream* out) {
    *out << row.name;
}

class NumberLocaleNamedTest : public ::testing::TestWithParam<LocaleNameCase> {};

TEST_P(NumberLocaleNamedTest, KnowsTheSeparatorWithoutTheCLibrary) {
    const LocaleNameCase& row = GetParam();
    EXPECT_EQ(numberLocaleNamed(QString::fromLatin1(row.posixName)).decimalSeparator,
              QLatin1Char(row.separator));
}

INSTANTIATE_TEST_SUITE_P(
    Names, NumberLocaleNamedTest,
    ::testing::Values(LocaleNameCase{"turkish_utf8", "tr_TR.UTF-8", ','},
                      LocaleNameCase{"turkish_bare", "tr_TR", ','},
                      LocaleNameCase{"turkish_language_only", "tr", ','},
                      LocaleNameCase{"german_euro_modifier", "de_DE@euro", ','},
                      LocaleNameCase{"german_codeset_and_modifier", "de_DE.ISO-8859-15@euro", ','},
                      LocaleNameCase{"french", "fr_FR.UTF-8", ','},
                      LocaleNameCase{"english", "en_US", '.'},
                      LocaleNameCase{"english_utf8", "en_US.UTF-8", '.'},
                      LocaleNameCase{"swiss_german", "de_CH.UTF-8", '.'},
                      LocaleNameCase{"c", "C", '.'}, LocaleNameCase{"c_utf8", "C.UTF-8", '.'},
                      LocaleNameCase{"posix", "POSIX", '.'}, LocaleNameCase{"empty", "", '.'},
                      LocaleNameCase{"unknown", "xx_YY.UTF-8", '.'},
                      LocaleNameCase{"garbage", "!!!", '.'}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace dorvek::host
