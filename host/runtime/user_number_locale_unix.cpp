#include "number_locale.h"

#include <QString>
#include <cstdlib>

namespace dorvek::host {

// The variables the C library itself reads for LC_NUMERIC, in its order.
NumberLocale userNumberLocale() {
    for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return numberLocaleNamed(QString::fromLocal8Bit(value));
        }
    }
    return NumberLocale::withPoint();
}

} // namespace dorvek::host
