#include "host/runtime/number_locale.h"
#include "tests/support/scoped_environment_variable.h"

#include <QString>
#include <gtest/gtest.h>

namespace dorvek::host {
namespace {

// The separator userNumberLocale() finds with the three variables set so (null: unset);
// what was there before is put back.
QChar separatorWith(const char* all, const char* numeric, const char* lang) {
    const test::ScopedEnvironmentVariable lcAll("LC_ALL", all);
    const test::ScopedEnvironmentVariable lcNumeric("LC_NUMERIC", numeric);
    const test::ScopedEnvironmentVariable language("LANG", lang);
    return userNumberLocale().decimalSeparator;
}

TEST(UserNumberLocale, TakesTheFirstSetOfLcAllLcNumericLang) {
    EXPECT_EQ(separatorWith("tr_TR.UTF-8", "en_US.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith("en_US.UTF-8", "tr_TR.UTF-8", "tr_TR.UTF-8"), QLatin1Char('.'));
    EXPECT_EQ(separatorWith(nullptr, "tr_TR.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith(nullptr, "en_US.UTF-8", "de_DE.UTF-8"), QLatin1Char('.'));
    EXPECT_EQ(separatorWith(nullptr, nullptr, "de_DE.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith(nullptr, nullptr, nullptr), QLatin1Char('.'));
}

// An empty variable counts as unset, as the C library treats it.
TEST(UserNumberLocale, PassesOverEmptyVariables) {
    EXPECT_EQ(separatorWith("", "tr_TR.UTF-8", "en_US.UTF-8"), QLatin1Char(','));
    EXPECT_EQ(separatorWith("", "", "tr_TR.UTF-8"), QLatin1Char(','));
}

} // namespace
} // namespace dorvek::host
