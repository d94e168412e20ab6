#include "scoped_decimal_symbol_windows.h"
#include "scoped_locale.h"

#include <QLocale>
#include <QString>

namespace dorvek::test {
namespace {

// The decimal symbol of a POSIX name as Qt knows it: "tr_TR.UTF-8" has a comma.
std::wstring decimalSymbolOf(const char* posixName) {
    QString name = QString::fromLatin1(posixName);
    for (const QLatin1Char end : {QLatin1Char('.'), QLatin1Char('@')}) {
        if (const qsizetype at = name.indexOf(end); at >= 0) {
            name.truncate(at);
        }
    }
    const bool plain = name.isEmpty() || name == u"C" || name == u"POSIX";
    return (plain ? QStringLiteral(".") : QLocale(name).decimalPoint()).toStdWString();
}

} // namespace

struct ScopedLocale::Previous {
    explicit Previous(const std::wstring& symbol) : decimalSymbol(symbol) {}
    ScopedDecimalSymbol decimalSymbol;
};

ScopedLocale::ScopedLocale(const char* name)
    : previous_(std::make_unique<Previous>(decimalSymbolOf(name))) {}

ScopedLocale::~ScopedLocale() = default;

} // namespace dorvek::test
