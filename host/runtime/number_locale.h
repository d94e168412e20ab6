#pragma once

#include <QChar>
#include <QStringView>

namespace dorvek::host {

// What the number conversions need to know of a locale. Conversions take it as an
// argument; only userNumberLocale() asks the system.
struct NumberLocale {
    QChar decimalSeparator;

    static NumberLocale withComma() { return {QLatin1Char(',')}; }
    static NumberLocale withPoint() { return {QLatin1Char('.')}; }
};

// The locale of a POSIX locale name such as "tr_TR.UTF-8", "de_DE@euro", "C" or "".
// QtCore knows the separators itself, so the C library need not have the locale.
NumberLocale numberLocaleNamed(QStringView posixName);

// The user's numeric locale, where the platform keeps it: on Unix LC_ALL, then
// LC_NUMERIC, then LANG, the first one set; on Windows the regional settings, with any
// symbol the user changed in the control panel.
NumberLocale userNumberLocale();

} // namespace dorvek::host
