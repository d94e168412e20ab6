#pragma once

#include "graphics_objects.h"

namespace dorvek::host::playback {

// The font that stands in for a metafile's logical font, sized in logical units: always
// the face's stand-in (see face_stand_ins.h), as on the window's controls, so the
// picture draws the same wherever the original face happens to be installed.
TextFont substituteFont(const emf_format::LogFont& logFont);

// What a text record draws with until the metafile selects a font of its own: the
// stand-in for GDI's stock system font.
const emf_format::LogFont& systemFont();

} // namespace dorvek::host::playback
