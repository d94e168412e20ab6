#pragma once

#include "host/emf_format/emf_types.h"

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace dorvek::host::playback {

class DeviceMapping;
struct TextFont;

// One EMR_EXTTEXTOUTW as the player reads it.
struct TextRun {
    emf::Point reference;
    QString text;                       // UTF-16, one advance per code unit
    std::vector<std::int32_t> advances; // logical units
    std::uint32_t options = 0;
    emf::Rect rectangle; // for the opaque and clipped options
};

// Draws a line of text as GDI's ExtTextOut does: anchored at its reference point by
// the text alignment, each glyph at the position its recorded advances give it, the
// whole scaled like the rest of the picture. background is the colour of an opaque
// background mode. Returns the run's width in logical units.
std::int64_t drawText(QPainter& painter, const DeviceMapping& mapping, const TextRun& run,
                      const TextFont& font, std::uint32_t align, const QColor& colour,
                      const std::optional<QColor>& background);

} // namespace dorvek::host::playback
