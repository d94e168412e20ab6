#pragma once

#include <array>
#include <string>
#include <windows.h>

namespace dorvek::test {

// Sets the decimal symbol of the user's regional settings, as the control panel does,
// for the life of the object, and puts back what was there.
class ScopedDecimalSymbol {
public:
    explicit ScopedDecimalSymbol(const std::wstring& symbol) {
        std::array<wchar_t, LOCALE_NAME_MAX_LENGTH> previous{};
        GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, previous.data(),
                        static_cast<int>(previous.size()));
        previous_ = previous.data();
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, symbol.c_str());
    }
    ~ScopedDecimalSymbol() {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, previous_.c_str());
    }
    ScopedDecimalSymbol(const ScopedDecimalSymbol&) = delete;
    ScopedDecimalSymbol& operator=(const ScopedDecimalSymbol&) = delete;

private:
    std::wstring previous_;
};

} // namespace dorvek::test
