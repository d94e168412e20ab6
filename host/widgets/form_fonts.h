#pragma once

#include <QFont>

namespace dorvek::host {

struct FontDescription;

// The font of every control that names none: 8 pt in the face that stands in for
// "MS Sans Serif". Its line (ascent plus descent) is 13 pixels at 96 dpi, just the
// height of the window's text boxes, so descenders are never cut off.
QFont windowDefaultFont();

// A described font, in the face that stands in for the named one
// (playback::standInFace), as the curve picture's labels are.
QFont describedFont(const FontDescription& description);

} // namespace dorvek::host
