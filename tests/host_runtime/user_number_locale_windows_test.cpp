#include "host/runtime/number_locale.h"
#include "tests/support/scoped_decimal_symbol_windows.h"

#include <gtest/gtest.h>

namespace dorvek::host {
namespace {

// The symbol as the user set it in the control panel, whatever the locale's own.
TEST(UserNumberLocale, TakesTheDecimalSymbolOfTheRegionalSettings) {
    {
        const test::ScopedDecimalSymbol symbol(L",");
        EXPECT_EQ(userNumberLocale().decimalSeparator, QLatin1Char(','));
    }
    {
        const test::ScopedDecimalSymbol symbol(L".");
        EXPECT_EQ(userNumberLocale().decimalSeparator, QLatin1Char('.'));
    }
    {
        const test::ScopedDecimalSymbol symbol(L";");
        EXPECT_EQ(userNumberLocale().decimalSeparator, QLatin1Char(';'));
    }
    {
        const test::ScopedDecimalSymbol symbol(L"\u066B"); // the Arabic decimal separator
        EXPECT_EQ(userNumberLocale().decimalSeparator, QChar(0x066B));
    }
}

// The conversions take a one-character separator; the control panel allows three.
TEST(UserNumberLocale, FallsBackToThePointForALongerSymbol) {
    const test::ScopedDecimalSymbol symbol(L",,");
    EXPECT_EQ(userNumberLocale().decimalSeparator, QLatin1Char('.'));
}

} // namespace
} // namespace dorvek::host
