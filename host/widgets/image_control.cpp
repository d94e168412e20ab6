#include "image_control.h"

#include "host/playback/metafile_player.h"
#include "host/runtime/error.h"

#include <QPainter>
#include <QtGlobal>

namespace dorvek::host {

ImageControl::ImageControl(std::span<const std::byte> picture, QWidget* parent)
    : QWidget(parent), picture_(picture) {
    // Mouse clicks go to the window behind, as no event of the image is handled.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.empty() || pictureRefused_) {
        return;
    }
    QPainter painter(this);
    try {
        playback::playMetafile(painter, picture_, QRectF(rect()));
    } catch (const Error& error) {
        // The picture is part of the program, so a malformed one is the program's
        // fault, not the user's: say so once and leave the frame empty.
        pictureRefused_ = true;
        qWarning("%s: %d %s", qPrintable(objectName()), error.number(), error.what());
    }
}

} // namespace dorvek::host
