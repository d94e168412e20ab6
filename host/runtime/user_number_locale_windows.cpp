#include "number_locale.h"

#include <QString>
#include <array>
#include <windows.h>

namespace dorvek::host {

// The user's default locale answers with the decimal symbol of the regional settings,
// a symbol changed in the control panel included. Windows allows up to three
// characters there; the conversions take one, so a longer symbol falls back to the point.
NumberLocale userNumberLocale() {
    std::array<wchar_t, LOCALE_NAME_MAX_LENGTH> symbol{};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol.data(),
                                       static_cast<int>(symbol.size()));
    // The length counts the terminating null.
    if (length != 2) {
        return NumberLocale::withPoint();
    }
    return {QChar(static_cast<char16_t>(symbol[0]))};
}

} // namespace dorvek::host
