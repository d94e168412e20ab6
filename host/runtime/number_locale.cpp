#include "number_locale.h"

#include <QLocale>
#include <QString>

namespace dorvek::host {

NumberLocale numberLocaleNamed(QStringView posixName) {
    // Drop the codeset and modifier: "tr_TR.UTF-8@x" names the same numbers as "tr_TR".
    QStringView name = posixName;
    if (const qsizetype end = name.indexOf(QLatin1Char('.')); end >= 0) {
        name = name.first(end);
    }
    if (const qsizetype end = name.indexOf(QLatin1Char('@')); end >= 0) {
        name = name.first(end);
    }
    if (name.isEmpty() || name == u"C" || name == u"POSIX") {
        return NumberLocale::withPoint();
    }
    const QString separator = QLocale(name.toString()).decimalPoint();
    // A separator of more than one UTF-16 unit does not occur among Qt's locales.
    return {separator.size() == 1 ? separator.front() : QLatin1Char('.')};
}

} // namespace dorvek::host
