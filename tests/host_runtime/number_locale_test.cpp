#include "host/runtime/number_locale.h"

#include <QString>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

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

// Sets the three variables for one test and puts back what was there before.
class UserNumberLocaleTest : public ::testing::Test {
protected:
    static constexpr const char* variables[] = {"LC_ALL", "LC_NUMERIC", "LANG"};

    void SetUp() override {
        for (int i = 0; i < 3; ++i) {
            const char* value = std::getenv(variables[i]);
            saved_[i] = value ? std::optional<std::string>(value) : std::nullopt;
        }
    }
    void TearDown() override {
        for (int i = 0; i < 3; ++i) {
            set(variables[i], saved_[i] ? saved_[i]->c_str() : nullptr);
        }
    }
    static void set(const char* variable, const char* value) {
        if (value != nullptr) {
            setenv(variable, value, 1);
        } else {
            unsetenv(variable);
        }
    }
    static QChar separatorWith(const char* all, const char* numeric, const char* lang) {
        set("LC_ALL", all);
        set("LC_NUMERIC", numeric);
        set("LANG", lang);
        return userNumberLocale().decimalSeparator;
    }

private:
    std::optional<std::string> saved_[3];
};

TEST_F(UserNumberLocaleTest, TakesTheFirstSetOfLcAllLcNumericLang) {
    EXPECT_EQ(separatorWith("tr_TR.UTF-8", "en_US.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith("en_US.UTF-8", "tr_TR.UTF-8", "tr_TR.UTF-8"), QLatin1Char('.'));
    EXPECT_EQ(separatorWith(nullptr, "tr_TR.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith(nullptr, "en_US.UTF-8", "de_DE.UTF-8"), QLatin1Char('.'));
    EXPECT_EQ(separatorWith(nullptr, nullptr, "de_DE.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith(nullptr, nullptr, nullptr), QLatin1Char('.'));
}

// An empty variable counts as unset, as the C library treats it.
TEST_F(UserNumberLocaleTest, PassesOverEmptyVariables) {
    EXPECT_EQ(separatorWith("", "tr_TR.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith("", "", "tr_TR.UTF-8"), QLatin1Char(','));
}

} // namespace
} // namespace dorvek::host
