#pragma once

#include <QString>
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

// The one error type of the program: a stable number and a short Turkish message.
class Error : public std::exception {
public:
    explicit Error(ErrorKind kind);

    ErrorKind kind() const noexcept { return kind_; }
    int number() const noexcept { return static_cast<int>(kind_); }
    QString message() const;
    const char* what() const noexcept override { return utf8Message_.c_str(); }

private:
    ErrorKind kind_;
    std::string utf8Message_;
};

// Every service raises its errors through this one function.
[[noreturn]] void raise(ErrorKind kind);

} // namespace dorvek::host
