#pragma once

#include <QColor>
#include <QFont>

namespace dorvek::host::playback {

// The drawing objects a metafile creates and selects, as the player keeps them.

struct Pen {
    bool visible = true;
    int width = 0; // logical units, never negative; 0 is one device pixel at any scale
    QColor colour = Qt::black;
};

struct Brush {
    enum class Style { Solid, Null, Hatched };
    Style style = Style::Solid;
    QColor colour = Qt::white;
    Qt::BrushStyle hatch = Qt::SolidPattern;
};

// A font at its logical size: its em height and the whole-pixel ascent and descent
// that place a line of text, as GDI's text metrics do.
struct TextFont {
    QFont font;
    int ascent = 0;
    int descent = 0;
};

} // namespace dorvek::host::playback
