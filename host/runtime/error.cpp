#include "error.h"

namespace dorvek::host {
namespace {

// A number with the locale's separator: "-1,96" or "-1.96".
QString decimal(const char* integerPart, const char* fraction, const NumberLocale& locale) {
    return QLatin1String(integerPart) + locale.decimalSeparator + QLatin1String(fraction);
}

// The text as the user is shown it: without the blanks around it, control characters
// as U+FFFD so one line stays one line, and a long text cut short.
QString shownText(QStringView text) {
    constexpr qsizetype longest = 40;
    QString shown;
    const QStringView trimmed = text.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (shown.size() >= longest) {
            shown += QChar(u'…');
            break;
        }
        const QChar c = trimmed[i];
        shown += c.category() == QChar::Other_Control ? QChar(QChar::ReplacementCharacter) : c;
        // Keep a surrogate pair whole, so the cut never splits a character.
        if (c.isHighSurrogate() && i + 1 < trimmed.size() && trimmed[i + 1].isLowSurrogate()) {
            shown += trimmed[++i];
        }
    }
    return shown;
}

// All the wording in one place. Each message says what happened, then what to do.
QString describe(ErrorKind kind, ErrorCause cause, const QString& text,
                 const NumberLocale& locale) {
    const QString example = decimal("-1", "96", locale);
    const QString limit = decimal("37", "677", locale);
    const QString boundLimit =
        QStringLiteral("Sınırların mutlak değeri en çok yaklaşık %1 olabilir.").arg(limit);
    switch (kind) {
    case ErrorKind::InvalidOperation:
        return QStringLiteral("Hesapta tanımsız bir işlem oldu (örneğin eksi bir sayının "
                              "karekökü). Başka sınırlarla yeniden deneyin.");
    case ErrorKind::Overflow:
        if (cause == ErrorCause::NumberText) {
            return QStringLiteral("«%1» hesap için fazla büyük bir sayı. %2")
                .arg(shownText(text), boundLimit);
        }
        if (cause == ErrorCause::ExponentialRange) {
            return QStringLiteral("Sınırlardan biri hesap için fazla büyük. %1 Daha küçük bir "
                                  "sınır yazın.")
                .arg(boundLimit);
        }
        return QStringLiteral("Hesap sırasında bir sayı bilgisayarın tutabileceğinden büyük "
                              "çıktı (taşma). Daha küçük sınırlarla yeniden deneyin.");
    case ErrorKind::DivisionByZero:
        return QStringLiteral("Hesapta bir sayı sıfıra bölündü. Başka sınırlarla yeniden "
                              "deneyin.");
    case ErrorKind::TypeMismatch:
        if (cause != ErrorCause::NumberText) {
            return QStringLiteral("Hesapta sayı beklenen yerde başka türde bir değer bulundu.");
        }
        if (text.trimmed().isEmpty()) {
            return QStringLiteral("Sınırlardan biri boş. Oraya bir sayı yazın, örneğin %1.")
                .arg(example);
        }
        return QStringLiteral("«%1» bir sayı olarak okunamadı. Sınırı %2 ya da 5 gibi bir sayı "
                              "olarak yazın.")
            .arg(shownText(text), example);
    case ErrorKind::ControlCallFailed:
        return QStringLiteral("Penceredeki bir kutu okunamadı ya da yazılamadı.");
    case ErrorKind::InvalidPicture:
        return QStringLiteral("Resim bozuk olduğu için çizilemedi.");
    }
    return QStringLiteral("Bilinmeyen hata."); // only a kind cast from a number that names none
}

} // namespace

Error::Error(ErrorKind kind, ErrorCause cause)
    : kind_(kind), cause_(cause),
      utf8Message_(describe(kind, cause, {}, NumberLocale::withPoint()).toStdString()) {}

Error::Error(ErrorKind kind, QStringView numberText)
    : kind_(kind), cause_(ErrorCause::NumberText), numberText_(numberText.toString()),
      utf8Message_(describe(kind, cause_, numberText_, NumberLocale::withPoint()).toStdString()) {}

QString Error::message(const NumberLocale& locale) const {
    return describe(kind_, cause_, numberText_, locale);
}

void raise(ErrorKind kind, ErrorCause cause) {
    throw Error(kind, cause);
}

void raise(ErrorKind kind, QStringView numberText) {
    throw Error(kind, numberText);
}

} // namespace dorvek::host
