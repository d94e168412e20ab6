// dorvek-calc: the calculator's computation from the command line, for scripts and checks.

#include "host/playback/metafile_player.h"
#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "numeric/probability_boxes.h"
#include "window/curve_picture.h"
#include "window/curve_picture_description.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <optional>
#include <span>
#include <string_view>

namespace {

constexpr const char* usage = "Kullanım: dorvek-calc [--exact] [--] ALT ÜST\n"
                              "         dorvek-calc --emf DOSYA\n"
                              "         dorvek-calc --png DOSYA [--size GENxYÜK]\n"
                              "         dorvek-calc --help\n";

// The curve picture's own size in pixels, the PNG's size unless --size says otherwise.
constexpr QSize pictureSize(dorvek::window::curve_picture::width,
                            dorvek::window::curve_picture::height);
constexpr int largestSide = 16384;

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
    const char* metafileFile = nullptr; // --emf
    const char* pngFile = nullptr;      // --png
    QSize pngSize = pictureSize;
};

// "WIDTHxHEIGHT", both whole numbers from 1 to largestSide.
std::optional<QSize> parseSize(std::string_view text) {
    const std::size_t separator = text.find('x');
    if (separator == std::string_view::npos) {
        return std::nullopt;
    }
    const auto number = [](std::string_view digits) -> std::optional<int> {
        int value = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (error != std::errc() || end != digits.data() + digits.size() || value < 1 ||
            value > largestSide) {
            return std::nullopt;
        }
        return value;
    };
    const std::optional<int> width = number(text.substr(0, separator));
    const std::optional<int> height = number(text.substr(separator + 1));
    if (!width || !height) {
        return std::nullopt;
    }
    return QSize(*width, *height);
}

// --emf FILE, or --png FILE [--size WIDTHxHEIGHT]; argv[1] is the option.
std::optional<Command> parsePictureCommand(int argc, char** argv) {
    Command command;
    if (std::string_view(argv[1]) == "--emf" && argc == 3) {
        command.metafileFile = argv[2];
        return command;
    }
    if (std::string_view(argv[1]) != "--png" || (argc != 3 && argc != 5)) {
        return std::nullopt;
    }
    command.pngFile = argv[2];
    if (argc == 5) {
        const std::optional<QSize> size =
            std::string_view(argv[3]) == "--size" ? parseSize(argv[4]) : std::nullopt;
        if (!size) {
            return std::nullopt;
        }
        command.pngSize = *size;
    }
    return command;
}

// Bounds may be negative, so an argument is an option only when it is one we know.
std::optional<Command> parseCommand(int argc, char** argv) {
    Command command;
    int first = 1;
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        command.help = true;
        return command;
    }
    if (argc > 1 &&
        (std::string_view(argv[1]) == "--emf" || std::string_view(argv[1]) == "--png")) {
        return parsePictureCommand(argc, argv);
    }
    if (argc > 1 && std::string_view(argv[1]) == "--exact") {
        command.exact = true;
        first = 2;
    }
    if (argc > first && std::string_view(argv[first]) == "--") {
        ++first;
    } else {
        // A bound never begins with two dashes: this is an option we do not know.
        for (int i = first; i < argc; ++i) {
            if (std::string_view(argv[i]).starts_with("--")) {
                return std::nullopt;
            }
        }
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

bool writeFile(const char* path, const QByteArray& bytes) {
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

void reportUnwritable(const char* path) {
    std::fprintf(stderr, "dorvek-calc: %s dosyasına yazılamadı\n", path);
}

int writeMetafile(const char* path) {
    const std::span<const std::byte> picture = dorvek::window::curvePicture();
    const QByteArray bytes(reinterpret_cast<const char*>(picture.data()),
                           static_cast<qsizetype>(picture.size()));
    if (!writeFile(path, bytes)) {
        reportUnwritable(path);
        return 1;
    }
    return 0;
}

// Renders with the window's own player, transparent wherever the picture paints
// nothing. Fonts need a GUI application but no display: the offscreen platform serves
// unless the caller chose another.
int writePng(char* program, const char* path, QSize size) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int applicationArgc = 1;
    char* applicationArgv[] = {program, nullptr};
    const QGuiApplication application(applicationArgc, applicationArgv);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    dorvek::host::playback::playMetafile(painter, dorvek::window::curvePicture(),
                                         QRectF(QPointF(0, 0), size));
    painter.end();

    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG") ||
        !writeFile(path, png)) {
        reportUnwritable(path);
        return 1;
    }
    return 0;
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
    if (command->metafileFile != nullptr) {
        return writeMetafile(command->metafileFile);
    }
    if (command->pngFile != nullptr) {
        return writePng(argv[0], command->pngFile, command->pngSize);
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
