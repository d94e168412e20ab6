#pragma once

#include "graphics_objects.h"

#include <QColor>
#include <cstdint>
#include <optional>

class QPainter;

namespace dorvek::host::playback {

class DeviceMapping;

// Draws a line of text as GDI's ExtTextOut does: anchored at reference by the text
// alignment, each glyph at the position its recorded advances give it, the whole
// scaled like the rest of the picture. background is the colour of an opaque
// background mode. Returns the run's width in logical units.
std::int64_t drawText(QPainter& painter, const DeviceMapping& mapping,
                      const emf_format::record::TextOut& run, Point reference, const TextFont& font,
                      std::uint32_t align, const QColor& colour,
                      const std::optional<QColor>& background);

} // namespace dorvek::host::playback
