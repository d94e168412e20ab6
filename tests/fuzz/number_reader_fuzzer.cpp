// Feeds arbitrary bytes to the number reader, as UTF-8 and as raw UTF-16, under both
// separators. The reader may accept or raise the host's error; anything else that
// escapes, and any sanitizer report, is a crash. What it accepts must be a finite
// double that the result pattern can write and the reader read back.

#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "host/runtime/number_text.h"

#include <QString>
#include <QStringView>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using dorvek::host::ErrorKind;
using dorvek::host::NumberLocale;

void readOne(QStringView text, const NumberLocale& locale) {
    double value = 0;
    try {
        value = dorvek::host::readNumber(text, locale);
    } catch (const dorvek::host::Error& error) {
        if (error.kind() != ErrorKind::TypeMismatch && error.kind() != ErrorKind::Overflow) {
            std::abort();
        }
        return;
    }
    if (!std::isfinite(value)) {
        std::abort();
    }
    // The writer takes every finite double, and its text reads back within rounding.
    const QString written = dorvek::host::formatNumber(value, u"##0.00000", locale);
    const double readBack = dorvek::host::readNumber(written, locale);
    if (std::fabs(readBack - value) > 0.5e-5 * (1 + std::fabs(value))) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString utf8 =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Raw UTF-16 units, lone surrogates and NULs included, copied so they are aligned.
    std::vector<char16_t> units(size / 2);
    if (!units.empty()) {
        std::memcpy(units.data(), data, units.size() * sizeof(char16_t));
    }
    const QStringView utf16(units.data(), static_cast<qsizetype>(units.size()));

    for (const NumberLocale& locale : {NumberLocale::withComma(), NumberLocale::withPoint()}) {
        readOne(utf8, locale);
        readOne(utf16, locale);
    }
    return 0;
}
