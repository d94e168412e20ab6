#pragma once

#include <QString>
#include <QStringView>

namespace dorvek::host::playback {

// The face that stands in for one named by a picture or a window designed on another
// platform: a character-set variant ("Arial Tur" is Arial with character set 162)
// loses its suffix, and a face Debian does not ship maps onto the metric-compatible
// face it does ship (Arial to Liberation Sans). Any other face is its own stand-in.
QString standInFace(QStringView face);

} // namespace dorvek::host::playback
