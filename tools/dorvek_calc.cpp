// dorvek-calc: the calculator's computation from the command line, for scripts and checks.

#include "host/playback/metafile_player.h"
#include "host/runtime/error.h"
#include "host/runtime/number_locale.h"
#include "numeric/integrate.h"
#include "numeric/probability_boxes.h"
#include "tools/dorvek_calc_arguments.h"
#include "tools/output.h"
#include "tools/standard_streams.h"
#include "window/curve_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

using dorvek::tools::Command;
using dorvek::tools::Output;

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

// The probability as a line of text: the result box's text, or with --exact the
// shortest decimal that reads back to the same double.
std::string probabilityLine(const Command& command, const dorvek::host::NumberLocale& locale) {
    ArgumentBoxes boxes(command.lower, command.upper);
    if (command.exact) {
        char buffer[32];
        const double probability = dorvek::numeric::integrateProbability(boxes, locale);
        const auto [end, error] = std::to_chars(std::begin(buffer), std::end(buffer), probability);
        return std::string(buffer, end) + '\n';
    }
    dorvek::numeric::Integrate(boxes, locale);
    return boxes.result.toLocal8Bit().toStdString() + '\n';
}

// Qt's own messages are English and meant for developers: the tool reports in its own
// words, and a Qt that cannot start at all ends it with status 1, not an abort.
void keepQtMessagesFromTheUser(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type == QtFatalMsg) {
        std::fputs("dorvek-calc: resim çizilemedi: Qt başlatılamadı\n", stderr);
        std::_Exit(1);
    }
}

// Renders with the window's own player, transparent wherever the picture paints
// nothing. Fonts need a GUI application but no display: the offscreen platform serves
// unless the caller chose another.
QByteArray renderPng(char* program, QSize size) {
    qInstallMessageHandler(keepQtMessagesFromTheUser);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int applicationArgc = 1;
    char* applicationArgv[] = {program, nullptr};
    const QGuiApplication application(applicationArgc, applicationArgv);

    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) { // a large size where memory is short
        throw dorvek::tools::WriteFailure("resim çizilemedi: bellek yetmedi");
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    dorvek::host::playback::playMetafile(painter, dorvek::window::curvePicture(),
                                         QRectF(QPointF(0, 0), size));
    painter.end();

    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        throw dorvek::tools::WriteFailure("resim PNG olarak kodlanamadı");
    }
    return png;
}

void writeTo(Output output, std::string_view bytes) {
    output.write(bytes);
    output.finish();
}

void run(const Command& command, const dorvek::host::NumberLocale& locale, char* program) {
    switch (command.action) {
    case Command::Action::Help:
        writeTo(Output::standardOutput(), dorvek::tools::helpText());
        return;
    case Command::Action::Version:
        writeTo(Output::standardOutput(), dorvek::tools::versionText());
        return;
    case Command::Action::Metafile: {
        // The picture is made before its file is opened, as for --png.
        const std::span<const std::byte> picture = dorvek::window::curvePicture();
        writeTo(Output::file(command.file),
                std::string_view(reinterpret_cast<const char*>(picture.data()), picture.size()));
        return;
    }
    case Command::Action::Png: {
        // Drawn before the file is opened: a picture that cannot be made leaves a file
        // of that name as it was, and Qt's fatal errors end the program with no new
        // file beside it to remove.
        const QByteArray png = renderPng(program, command.pngSize);
        writeTo(Output::file(command.file), std::string_view(png.constData(), png.size()));
        return;
    }
    case Command::Action::Probability:
        writeTo(Output::standardOutput(), probabilityLine(command, locale));
        return;
    }
}

} // namespace

int main(int argc, char** argv) {
    dorvek::tools::holdClosedStandardStreams();
    dorvek::tools::useUtf8Console();
    const dorvek::host::NumberLocale locale = dorvek::host::userNumberLocale();
    Command command;
    try {
        command =
            dorvek::tools::parseCommand(std::span<char* const>(argv + 1, argv + argc), locale);
    } catch (const dorvek::tools::WrongUsage& wrong) {
        std::fprintf(stderr, "dorvek-calc: %s\n%sAyrıntılar için: dorvek-calc --help\n",
                     wrong.what(), dorvek::tools::usageText);
        return 2;
    }
    try {
        run(command, locale, argv[0]);
        return 0;
    } catch (const dorvek::host::Error& error) {
        std::fprintf(stderr, "dorvek-calc: hata %d: %s\n", error.number(),
                     error.message(dorvek::host::userNumberLocale()).toUtf8().constData());
    } catch (const dorvek::tools::WriteFailure& failure) {
        std::fprintf(stderr, "dorvek-calc: %s\n", failure.what());
    }
    return 1;
}
