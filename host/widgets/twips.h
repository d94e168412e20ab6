#pragma once

#include <QRect>
#include <QSize>

namespace dorvek::host {

struct TwipRect;

// 15 twips make one device-independent pixel (1/96 inch); Qt's high-DPI scaling
// takes it from there to device pixels.
constexpr int twipsPerPixel = 15;

// Edges are rounded to the nearest pixel each, so a frame that is not a whole number
// of pixels keeps its far edge where the twips put it (220 twips from 360 make 15).
int pixelsFromTwips(int twips);
QRect pixelRect(const TwipRect& frame);
QSize pixelSize(int widthTwips, int heightTwips);

} // namespace dorvek::host
