// dorvek-calc: the calculator's computation from the command line, for scripts and checks.

#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "numeric/probability_boxes.h"

#include <QString>

#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

namespace {

constexpr const char* usage = "Kullanım: dorvek-calc [--exact] [--] ALT ÜST\n"
                              "         dorvek-calc --help\n";

// The two bounds from the command line stand in for the window's boxes.
class ArgumentBoxes : public dorvek::numeric::ProbabilityBoxes {
public:
    ArgumentBoxes(const char* lower, const char* upper) : lower_(lower), upper_(upper) {}

    QString lowerBoundText() override { return QString::fromLocal8Bit(lower_); }
    QString upperBoundText() override { return QString::fromLocal8Bit(upper_); }
    void setResultText(const QString& text) override { result = text; }

    QString result;

private:
    const char* lower_;
    const char* upper_;
};

struct Command {
    bool help = false;
    bool exact = false;
    const char* lower = nullptr;
    const char* upper = nullptr;
};

// Bounds may be negative, so an argument is an option only when it is one we know.
std::optional<Command> parseCommand(int argc, char** argv) {
    Command command;
    int first = 1;
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        command.help = true;
        return command;
    }
    if (argc > 1 && std::string_view(argv[1]) == "--exact") {
        command.exact = true;
        first = 2;
    }
    if (argc > first && std::string_view(argv[first]) == "--") {
        ++first;
    }
    if (argc - first != 2) {
        return std::nullopt;
    }
    command.lower = argv[first];
    command.upper = argv[first + 1];
    return command;
}

void printExact(double probability) {
    char buffer[32];
    const auto [end, error] = std::to_chars(std::begin(buffer), std::end(buffer), probability);
    std::fwrite(buffer, 1, static_cast<std::size_t>(end - buffer), stdout);
    std::fputc('\n', stdout);
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<Command> command = parseCommand(argc, argv);
    if (!command) {
        std::fputs(usage, stderr);
        return 2;
    }
    if (command->help) {
        std::fputs(usage, stdout);
        return 0;
    }
    try {
        ArgumentBoxes boxes(command->lower, command->upper);
        const dorvek::host::NumberLocale locale = dorvek::host::userNumberLocale();
        if (command->exact) {
            printExact(dorvek::numeric::integrateProbability(boxes, locale));
        } else {
            dorvek::numeric::Integrate(boxes, locale);
            std::printf("%s\n", boxes.result.toLocal8Bit().constData());
        }
        return 0;
    } catch (const dorvek::host::Error& error) {
        std::fprintf(stderr, "dorvek-calc: hata %d: %s\n", error.number(), error.what());
        return 1;
    }
}
