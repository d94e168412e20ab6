#pragma once

#include "number_locale.h"

#include <QString>
#include <QStringView>
#include <exception>
#include <string>

namespace dorvek::host {

// The kinds of failure the host's services report. The numbers are stable:
// they are what the user reads in the error box and what scripts see from
// dorvek-calc, so never renumber them.
enum class ErrorKind {
    // An invalid floating-point operation: a NaN result, a square root of a negative.
    InvalidOperation = 5,
    // A result left the range of its type (double or 16-bit integer).
    Overflow = 6,
    // A division by zero, or a status test that found one.
    DivisionByZero = 11,
    // A value of the wrong kind, or a text that is not a number.
    TypeMismatch = 13,
    // The window could not carry out an operation on a control.
    ControlCallFailed = 440,
    // A malformed metafile: refused whole, never half drawn.
    InvalidPicture = 481,
};

// What failed, where that changes what the user is told to do about it.
enum class ErrorCause {
    // Nothing beyond the kind is known.
    Unspecified,
    // A text read as a number: not one, or beyond the doubles. The error keeps the text.
    NumberText,
    // e^x beyond the doubles. The density is the exponential's one user, and its
    // e^(x^2/2) leaves the doubles for |x| above about 37.677: a bound too large.
    ExponentialRange,
};

// The one error type of the program: a stable number, what failed, and for a number
// text the text itself. Its message says in plain Turkish what happened and what to do.
//
//     Error(ErrorKind::TypeMismatch, u"abc").message(NumberLocale::withComma())
//     // «abc» bir sayı olarak okunamadı. Sınırı -1,96 ya da 5 gibi bir sayı olarak yazın.
class Error : public std::exception {
public:
    explicit Error(ErrorKind kind, ErrorCause cause = ErrorCause::Unspecified);
    // An error about a number text: the message names the text.
    Error(ErrorKind kind, QStringView numberText);

    ErrorKind kind() const noexcept { return kind_; }
    ErrorCause cause() const noexcept { return cause_; }
    int number() const noexcept { return static_cast<int>(kind_); }
    // The text that could not be read, as it was given; empty for other causes.
    const QString& numberText() const noexcept { return numberText_; }

    // What the user reads, one line; numbers in it are written with the locale's separator.
    QString message(const NumberLocale& locale) const;
    // The message with a decimal point, in UTF-8: for logs and test failures.
    const char* what() const noexcept override { return utf8Message_.c_str(); }

private:
    ErrorKind kind_;
    ErrorCause cause_;
    QString numberText_;
    std::string utf8Message_;
};

// Every service raises its errors through this one function, with what it knows.
[[noreturn]] void raise(ErrorKind kind, ErrorCause cause = ErrorCause::Unspecified);
[[noreturn]] void raise(ErrorKind kind, QStringView numberText);

} // namespace dorvek::host
