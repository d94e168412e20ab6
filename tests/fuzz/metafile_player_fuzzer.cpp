// Plays arbitrary bytes as a metafile. Whatever the input, the player either draws or
// raises InvalidPicture; it never reads outside the input, and a refused input leaves
// the image untouched.

#include "host/playback/metafile_player.h"
#include "host/runtime/error.h"
#include "tests/support/picture_playing.h"

#include <QImage>
#include <QPainter>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace {

// A destination that overhangs the image, as the window's does, at 1x and at 2x.
void playInto(std::span<const std::byte> metafile, double devicePixelRatio) {
    QImage image(QSize(64, 48) * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    try {
        dorvek::host::playback::playMetafile(painter, metafile, QRectF(-4, -3, 72, 54));
    } catch (const dorvek::host::Error& error) {
        painter.end();
        if (error.kind() != dorvek::host::ErrorKind::InvalidPicture ||
            !dorvek::test::paintedPixels(image).empty()) {
            std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dorvek::test::testApplication();
    const std::span<const std::byte> metafile(reinterpret_cast<const std::byte*>(data), size);
    playInto(metafile, 1);
    playInto(metafile, 2);
    return 0;
}
