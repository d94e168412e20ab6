#pragma once

#include "window/curve_picture_description.h"

#include <QSize>
#include <span>
#include <stdexcept>
#include <string>

namespace dorvek::host {
struct NumberLocale;
}

namespace dorvek::tools {

// What dorvek-calc is asked to do.
struct Command {
    enum class Action { Help, Version, Probability, Metafile, Png };

    Action action = Action::Probability;
    bool exact = false;          // --exact
    const char* lower = nullptr; // the two bounds, for the probability
    const char* upper = nullptr;
    const char* file = nullptr; // --emf FILE or --png FILE
    // The curve picture's own size, unless --size says otherwise.
    QSize pngSize = {window::curve_picture::width, window::curve_picture::height};
};

// A command line that asks for nothing dorvek-calc does. The message says, in Turkish,
// what was wrong.
class WrongUsage : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments that follow the program's name; throws WrongUsage. The locale's
// decimal separator may follow the minus sign of a negative bound.
Command parseCommand(std::span<char* const> arguments, const host::NumberLocale& locale);

// The usage lines, which follow every wrong usage.
extern const char* const usageText;

// The usage lines, then what the program does, its options, exit statuses and examples.
std::string helpText();

// The program's name, the product's and its version, on one line.
std::string versionText();

} // namespace dorvek::tools
