#pragma once

#include "number_locale.h"

#include <QString>
#include <QStringView>

namespace dorvek::host {

class Value;

// Reads a number text. Accepted: blanks around it, an optional sign (+, - or the
// minus sign U+2212), digits with at most one decimal separator (the locale's, '.' or
// ','), and an optional exponent (e or E, optional sign, digits). A magnitude beyond
// the double range raises Overflow, one too small for a double reads as zero; anything
// else that is not of this form, the empty text included, raises TypeMismatch. Both
// errors carry the text, so the user is told which text it was.
double readNumber(QStringView text, const NumberLocale& locale);

// Formats a double by a pattern of the form "##0.00000": '#' an optional integer
// digit, '0' a digit always shown, '.' the locale's separator, no grouping. The value
// is rounded correctly (ties as the C library rounds them), and a value that rounds
// to zero shows no minus sign. Another pattern, or a value that is not finite,
// raises TypeMismatch.
QString formatNumber(double value, QStringView pattern, const NumberLocale& locale);

// A value as text: a text as it is, a 16-bit integer in decimal, a double as the
// shortest decimal that reads back to it, with the locale's separator.
QString toText(const Value& value, const NumberLocale& locale);

} // namespace dorvek::host
