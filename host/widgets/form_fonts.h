#pragma once

#include <QFont>

namespace dorvek::host {

struct FontDescription;

// The font of every control that names none: 8 pt in the face that stands in for
// "MS Sans Serif". Its line (ascent plus descent) is 13 pixels at 96 dpi, just the
// height of the window's text boxes, so descenders are never cut off.
QFont windowDefaultFont();

// A described font, in a face this system has where the named one is missing.
QFont describedFont(const FontDescription& description);

// The face that stands in for a named one: the faces of the platform the window was
// designed on map onto metric-compatible faces that Debian ships.
QString standInFace(QStringView face);

} // namespace dorvek::host
