#pragma once

#include <QRectF>
#include <cstddef>
#include <span>

class QPainter;

namespace dorvek::host::playback {

// Plays an enhanced metafile into a destination rectangle, given in the painter's
// logical coordinates: the metafile's frame maps onto the whole rectangle, width and
// height scaled independently. Drawing is done as vectors at the painter's device
// resolution. A malformed metafile raises InvalidPicture before anything is painted.
void playMetafile(QPainter& painter, std::span<const std::byte> metafile,
                  const QRectF& destination);

} // namespace dorvek::host::playback
