#pragma once

#include "host/playback/graphics_objects.h"

namespace dorvek::host::emf {
struct LogFont;
}

namespace dorvek::host::playback {

// The font that stands in for a metafile's logical font, sized in logical units.
// Windows names a face's character-set variant with a suffix ("Arial Tur" is Arial
// with character set 162); the suffix is dropped, and a face Debian does not ship
// falls back to the metric-compatible Liberation face (Arial to Liberation Sans).
TextFont substituteFont(const emf::LogFont& logFont);

} // namespace dorvek::host::playback
