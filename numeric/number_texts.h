#pragma once

#include "host/runtime/number_locale.h"

#include <QString>
#include <QStringView>

namespace dorvek::numeric {

// A bound as the user typed it, read under the locale; see host::readNumber for the
// forms accepted and the errors raised.
double readBound(QStringView text, const host::NumberLocale& locale);

// P as the result box shows it: the pattern "##0.00000" under the locale.
QString formatProbability(double probability, const host::NumberLocale& locale);

} // namespace dorvek::numeric
