#include "number_texts.h"

#include "host/runtime/number_text.h"

namespace dorvek::numeric {

double readBound(QStringView text, const host::NumberLocale& locale) {
    return host::readNumber(text, locale);
}

QString formatProbability(double probability, const host::NumberLocale& locale) {
    return host::formatNumber(probability, u"##0.00000", locale);
}

} // namespace dorvek::numeric
