#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

namespace dorvek::host {

struct Colour;

// A system colour, named by its index, as the host fixes it: the standard colour
// scheme of the platform the window was designed on, whatever the desktop's theme.
// None for an index that names no system colour.
std::optional<QColor> systemColour(int index);

// A described colour; none where the description leaves the host's default. An index
// that names no system colour throws std::invalid_argument: the description itself
// is wrong.
std::optional<QColor> resolveColour(const Colour& colour);

// Qt's palette in those system colours, for the windows the host builds: the window's
// design puts blue texts on system colours over a light picture, which holds only while
// they are the light ones it was designed with.
QPalette classicPalette();

} // namespace dorvek::host
