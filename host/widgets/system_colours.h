#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

namespace dorvek::host {

struct Colour;

// Where a system colour, named by its index, comes from in Qt's palette.
struct SystemColourSource {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The palette entry that stands for a system colour index; none for an index that
// names no system colour.
std::optional<SystemColourSource> systemColourSource(int index);

// A described colour under the given palette; none where the description leaves the
// host's default. An index that names no system colour throws std::invalid_argument:
// the description itself is wrong.
std::optional<QColor> resolveColour(const Colour& colour, const QPalette& palette);

} // namespace dorvek::host
