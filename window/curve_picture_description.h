#pragma once

#include "host/emf_format/emf_types.h"

#include <cstdint>
#include <string>

namespace dorvek::host::emf_format {
struct HeaderFields;
}

// The curve picture as data: a navy bell curve over an axis labelled -4,0 to 4,0, on a
// grey plot area inside a white chart area with a black border. Positions are in the
// picture's own pixels, those of the reference device (0.3125 mm), counted from the
// frame's top-left corner; rectangles follow GDI (right and bottom edges excluded).
namespace dorvek::window::curve_picture {

using host::emf_format::ColourRef;
using host::emf_format::Point;
using host::emf_format::Rect;

inline constexpr int width = 491;
inline constexpr int height = 254;
inline constexpr Rect frame{0, 0, width, height};
// The reference device, 3.2 pixels to the millimetre: its pixels are the picture's.
inline constexpr host::emf_format::Size referencePixels{1024, 768};
inline constexpr host::emf_format::Size referenceMillimetres{320, 240};
// One picture pixel in hundredths of a millimetre, the scale every text record carries.
inline constexpr double hundredthsOfMillimetrePerPixel =
    100.0 * referenceMillimetres.width / referencePixels.width;

inline constexpr ColourRef black = host::emf_format::rgb(0, 0, 0);
inline constexpr ColourRef white = host::emf_format::rgb(255, 255, 255);
inline constexpr ColourRef lightGrey = host::emf_format::rgb(192, 192, 192);
inline constexpr ColourRef grey = host::emf_format::rgb(128, 128, 128);
inline constexpr ColourRef navy = host::emf_format::rgb(0, 0, 128);

struct PenDescription {
    std::int32_t width; // 0: one device pixel
    ColourRef colour;
};
inline constexpr PenDescription chartPen{1, black};
inline constexpr PenDescription plotBorderPen{1, grey};
inline constexpr PenDescription axisPen{0, black};
inline constexpr PenDescription curvePen{2, navy};
inline constexpr ColourRef chartBrush = white;
inline constexpr ColourRef plotBrush = lightGrey;

// The chart area: columns 5 to 484, rows 5 to 248.
inline constexpr Rect chartArea{5, 5, 485, 249};
// The plot area's corners; its border takes column 475 and row 222, which its fill
// leaves out.
inline constexpr Point plotTopLeft{16, 5};
inline constexpr Point plotBottomRight{475, 222};
inline constexpr int axisRow = 222;
inline constexpr int tickLength = 3; // rows below the axis line
inline constexpr int firstTick = -4;
inline constexpr int lastTick = 4;
// The curve may paint the plot border's right column, never the axis line.
inline constexpr Rect curveClip{16, 5, 476, 222};
inline constexpr int curveVertices = 101;

inline constexpr double pixelsPerUnit = 57.375; // the plot area's 459 pixels over -4 to 4
inline constexpr double peakHeight = 203.8;     // exp(0) above the axis line

inline constexpr int labelTop = 231;
inline constexpr int labelBottom = 244; // the text cells' last row

host::emf_format::HeaderFields header();
host::emf_format::LogFont labelFont();

// The column of axis value v: the nearest pixel, halves upward.
int axisColumn(double value);
// x(i) = (i - 50) / 10, from -5 to 5; divided, never summed, so x(50) is exactly 0.
double curveAbscissa(int vertex);
Point curveVertex(int vertex);

// A tick's label: its value with one decimal and a decimal comma ("-4,0").
std::u16string tickLabel(int value);
// The advance recorded for a label character: 4 for '-', 3 for ',', 6 for a digit.
std::int32_t labelAdvance(char16_t character);

} // namespace dorvek::window::curve_picture
