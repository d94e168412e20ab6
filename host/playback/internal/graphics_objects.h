#pragma once

#include "host/emf_format/emf_types.h"
#include "host/emf_format/parsed_records.h"

#include <QColor>
#include <QFont>

namespace dorvek::host::playback {

// The format's typed values, which everything here draws from.
using emf_format::Brush;
using emf_format::Pen;
using emf_format::Point;
using emf_format::Rect;

inline QColor qColour(emf_format::ColourRef colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

// A font at its logical size: its em height and the whole-pixel ascent and descent
// that place a line of text, as GDI's text metrics do.
struct TextFont {
    QFont font;
    int ascent = 0;
    int descent = 0;
};

} // namespace dorvek::host::playback
