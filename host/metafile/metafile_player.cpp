#include "metafile_player.h"

#include <QPainter>

namespace dorvek::host {

// Not yet written: plays nothing.
void playMetafile(QPainter&, std::span<const std::byte>, const QRectF&) {}

} // namespace dorvek::host
