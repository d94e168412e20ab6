#include "number_text.h"

#include "error.h"
#include "value.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace dorvek::host {
namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The hyphen-minus, and U+2212, the minus sign that word processors and web pages put
// in "−1,96": a text copied from them reads as the user sees it.
bool isMinus(QChar c) {
    return c == QLatin1Char('-') || c == QChar(u'\u2212');
}

bool isSign(QChar c) {
    return c == QLatin1Char('+') || isMinus(c);
}

// The locale's separator, and '.' or ',' whichever it is not: "-5,00" must read as -5
// in every locale, never as -500.
bool isDecimalSeparator(QChar c, const NumberLocale& locale) {
    return c == locale.decimalSeparator || c == QLatin1Char('.') || c == QLatin1Char(',');
}

// The form of a number text, in plain ASCII for std::from_chars, plus the rough
// decimal magnitude that tells an overflow from an underflow when it is out of range.
struct ScannedNumber {
    std::string ascii;
    long long magnitude = 0;
    bool negative = false;
};

ScannedNumber scanNumber(QStringView text, const NumberLocale& locale) {
    const QStringView s = text.trimmed();
    ScannedNumber number;
    number.ascii.reserve(static_cast<std::size_t>(std::min<qsizetype>(s.size(), 1024)) + 2);
    qsizetype i = 0;
    if (i < s.size() && isSign(s[i])) {
        number.negative = isMinus(s[i]);
        if (number.negative) {
            number.ascii.push_back('-');
        }
        ++i;
    }

    bool anyDigit = false;
    bool afterSeparator = false;
    bool significant = false; // seen a non-zero digit
    long long integerDigits = 0;
    long long leadingFractionZeros = 0;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (isAsciiDigit(c)) {
            anyDigit = true;
            if (c != QLatin1Char('0')) {
                significant = true;
            }
            if (!afterSeparator && significant) {
                ++integerDigits;
            } else if (afterSeparator && !significant) {
                ++leadingFractionZeros;
            }
            number.ascii.push_back(static_cast<char>(c.unicode()));
        } else if (!afterSeparator && isDecimalSeparator(c, locale)) {
            afterSeparator = true;
            number.ascii.push_back('.');
        } else {
            break;
        }
    }
    if (!anyDigit) {
        raise(ErrorKind::TypeMismatch, text);
    }

    long long exponent = 0;
    if (i < s.size() && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        number.ascii.push_back('e');
        ++i;
        bool exponentNegative = false;
        if (i < s.size() && isSign(s[i])) {
            exponentNegative = isMinus(s[i]);
            number.ascii.push_back(exponentNegative ? '-' : '+');
            ++i;
        }
        bool anyExponentDigit = false;
        for (; i < s.size() && isAsciiDigit(s[i]); ++i) {
            anyExponentDigit = true;
            // Saturate: any exponent beyond a billion is out of range all the same.
            exponent = std::min(exponent * 10 + (s[i].unicode() - u'0'), 1'000'000'000LL);
            number.ascii.push_back(static_cast<char>(s[i].unicode()));
        }
        if (!anyExponentDigit) {
            raise(ErrorKind::TypeMismatch, text);
        }
        if (exponentNegative) {
            exponent = -exponent;
        }
    }
    if (i != s.size()) {
        raise(ErrorKind::TypeMismatch, text);
    }
    number.magnitude = (integerDigits > 0 ? integerDigits : -leadingFractionZeros) + exponent;
    return number;
}

struct FormatPattern {
    int minimumIntegerDigits = 0;
    int decimals = 0;
    bool separator = false;
};

// Patterns of the form #*0*(.0*)?; the largest number of decimals keeps buffers small.
FormatPattern parsePattern(QStringView pattern) {
    FormatPattern parsed;
    qsizetype i = 0;
    while (i < pattern.size() && pattern[i] == QLatin1Char('#')) {
        ++i;
    }
    for (; i < pattern.size() && pattern[i] == QLatin1Char('0'); ++i) {
        ++parsed.minimumIntegerDigits;
    }
    if (i < pattern.size() && pattern[i] == QLatin1Char('.')) {
        parsed.separator = true;
        for (++i; i < pattern.size() && pattern[i] == QLatin1Char('0'); ++i) {
            ++parsed.decimals;
        }
    }
    constexpr int largestDecimals = 40;
    if (i != pattern.size() || parsed.decimals > largestDecimals) {
        raise(ErrorKind::TypeMismatch);
    }
    return parsed;
}

} // namespace

double readNumber(QStringView text, const NumberLocale& locale) {
    const ScannedNumber number = scanNumber(text, locale);
    double value = 0.0;
    const char* first = number.ascii.data();
    const char* last = first + number.ascii.size();
    const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        if (number.magnitude > 0) {
            raise(ErrorKind::Overflow, text);
        }
        return number.negative ? -0.0 : 0.0;
    }
    if (error != std::errc() || end != last) {
        raise(ErrorKind::TypeMismatch, text);
    }
    return value;
}

QString formatNumber(double value, QStringView pattern, const NumberLocale& locale) {
    const FormatPattern parsed = parsePattern(pattern);
    if (!std::isfinite(value)) {
        raise(ErrorKind::TypeMismatch);
    }
    // Room for the sign, 309 integer digits of the largest double, the point and decimals.
    char buffer[1 + 309 + 1 + 40 + 8];
    const auto [end, error] = std::to_chars(std::begin(buffer), std::end(buffer), value,
                                            std::chars_format::fixed, parsed.decimals);
    if (error != std::errc()) {
        raise(ErrorKind::TypeMismatch);
    }
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));

    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) {
        digits.remove_prefix(1);
    }
    const bool showsOnlyZeros = digits.find_first_not_of("0.") == std::string_view::npos;

    const std::size_t point = std::min(digits.find('.'), digits.size());
    std::string_view integerPart = digits.substr(0, point);
    const std::string_view fractionPart = digits.substr(std::min(point + 1, digits.size()));
    while (integerPart.size() > static_cast<std::size_t>(parsed.minimumIntegerDigits) &&
           integerPart.front() == '0') {
        integerPart.remove_prefix(1);
    }

    QString text;
    text.reserve(static_cast<qsizetype>(digits.size()) + parsed.minimumIntegerDigits + 2);
    if (negative && !showsOnlyZeros) {
        text += QLatin1Char('-');
    }
    // Each '0' of the pattern's integer part is a digit always shown.
    for (auto shown = integerPart.size();
         shown < static_cast<std::size_t>(parsed.minimumIntegerDigits); ++shown) {
        text += QLatin1Char('0');
    }
    text += QLatin1String(integerPart.data(), static_cast<qsizetype>(integerPart.size()));
    if (parsed.separator) {
        text += locale.decimalSeparator;
        text += QLatin1String(fractionPart.data(), static_cast<qsizetype>(fractionPart.size()));
    }
    return text;
}

QString toText(const Value& value, const NumberLocale& locale) {
    switch (value.kind()) {
    case Value::Kind::Text:
        return value.textValue();
    case Value::Kind::Integer16:
        return QString::number(value.integer16Value());
    case Value::Kind::Double:
        break;
    }
    char buffer[32];
    const auto [end, error] =
        std::to_chars(std::begin(buffer), std::end(buffer), value.doubleValue());
    QString text = QString::fromLatin1(buffer, error == std::errc() ? end - buffer : 0);
    text.replace(QLatin1Char('.'), locale.decimalSeparator);
    return text;
}

} // namespace dorvek::host
