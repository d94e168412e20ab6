// One playing of the curve picture into Image1's frame, as the window paints it, at
// device-pixel ratios 1 and 2; and the check of the metafile alone, which every
// playing begins with.

#include "host/emf_format/metafile_parser.h"
#include "host/playback/metafile_player.h"
#include "window/curve_picture.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void playCurvePicture(benchmark::State& state) {
    const double ratio = static_cast<double>(state.range(0));
    const std::span<const std::byte> picture = dorvek::window::curvePicture();
    // The window's client area, 414 x 245 device-independent pixels.
    QImage image(QSize(414, 245) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    for (auto _ : state) {
        QPainter painter(&image);
        dorvek::host::playback::playMetafile(painter, picture, QRectF(-16, -8, 436, 260));
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(playCurvePicture)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void checkCurvePicture(benchmark::State& state) {
    const std::span<const std::byte> picture = dorvek::window::curvePicture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(dorvek::host::emf_format::parseMetafile(picture));
    }
}
BENCHMARK(checkCurvePicture)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int applicationArgc = 1;
    const QGuiApplication application(applicationArgc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
