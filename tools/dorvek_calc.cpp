// dorvek-calc: the calculator's computation from the command line, for scripts and checks.

#include "host/playback/metafile_player.h"
#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "numeric/probability_boxes.h"
#include "tools/dorvek_calc_arguments.h"
#include "window/curve_picture.h"

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
#include <span>

namespace {

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
    using dorvek::tools::Command;
    Command command;
    try {
        command = dorvek::tools::parseCommand(std::span<char* const>(argv + 1, argv + argc));
    } catch (const dorvek::tools::WrongUsage& wrong) {
        std::fprintf(stderr, "dorvek-calc: %s\n%sAyrıntılar için: dorvek-calc --help\n",
                     wrong.what(), dorvek::tools::usageText);
        return 2;
    }
    switch (command.action) {
    case Command::Action::Help:
        std::fputs(dorvek::tools::helpText().c_str(), stdout);
        return 0;
    case Command::Action::Metafile:
        return writeMetafile(command.file);
    case Command::Action::Png:
        return writePng(argv[0], command.file, command.pngSize);
    case Command::Action::Probability:
        break;
    }
    try {
        ArgumentBoxes boxes(command.lower, command.upper);
        const dorvek::host::NumberLocale locale = dorvek::host::userNumberLocale();
        if (command.exact) {
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
