#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <span>

namespace dorvek::host {

struct IconImage;
struct IconOutline;

// One icon image in 32-bit ARGB: palette colours where the mask is clear,
// transparent where it is set. Data shorter than the size throws std::invalid_argument.
QImage iconImage(const IconImage& image);

// The outline filled at `size` pixels square, with smoothed edges, on transparency. An
// outline of fewer than three points, a square of no side, a colour index past the
// palette or a size below one pixel throws std::invalid_argument.
QImage iconImage(const IconOutline& outline, int size);

// The outline as a scalable SVG document, one filled path on the outline's square;
// refuses what iconImage() refuses.
QByteArray iconSvg(const IconOutline& outline);

// A window icon holding each of the images at its own size.
QIcon iconFromImages(std::span<const IconImage> images);

// The images as a Windows icon file (.ico), as the program's resources carry it: each
// a 4-bit bitmap in the standard palette with its 1-bit mask, the mask's pixels black.
QByteArray iconFile(std::span<const IconImage> images);

} // namespace dorvek::host
