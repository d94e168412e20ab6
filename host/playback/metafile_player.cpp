#include "metafile_player.h"

#include "host/emf_format/metafile_parser.h"
#include "player.h"

#include <QPainter>

namespace dorvek::host::playback {

void playMetafile(QPainter& painter, std::span<const std::byte> metafile,
                  const QRectF& destination) {
    const emf_format::ParsedMetafile parsed = emf_format::parseMetafile(metafile);

    painter.save();
    // From here on the painter's coordinates are device pixels, whatever its transform
    // and the device's pixel ratio, so every record is drawn at the device's resolution.
    const QTransform toDevice = painter.deviceTransform();
    const QRectF deviceDestination = toDevice.mapRect(destination.normalized());
    painter.setWorldTransform(toDevice.inverted() * painter.worldTransform());
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    Player(painter, parsed, deviceDestination).play();
    painter.restore();
}

} // namespace dorvek::host::playback
