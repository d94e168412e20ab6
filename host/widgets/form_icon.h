#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

namespace dorvek::host {

struct IconImage;
struct IconOutline;

// A band of a palette colour along an outline, under its fill: half its width lies
// outside the outline. A dark picture keeps its shape on a dark background so.
struct IconEdge {
    std::uint8_t colourIndex = 15;
    double width = 0; // on the outline's square
};

// One icon image in 32-bit ARGB: palette colours where the mask is clear,
// transparent where it is set. Data shorter than the size throws std::invalid_argument.
QImage iconImage(const IconImage& image);

// The outline filled at `size` pixels square, with smoothed edges, on transparency,
// over its edge if one is given. An outline of fewer than three points, a square of no
// side, a colour index past the palette, an edge whose width is negative or not a
// number or whose colour is past the palette, or a size below one pixel throws
// std::invalid_argument.
QImage iconImage(const IconOutline& outline, int size, std::optional<IconEdge> edge = {});

// The outline as a scalable SVG document on the outline's square: one filled path,
// over the same path stroked as the edge if one is given; refuses what iconImage()
// refuses.
QByteArray iconSvg(const IconOutline& outline, std::optional<IconEdge> edge = {});

// A window icon holding each of the images at its own size.
QIcon iconFromImages(std::span<const IconImage> images);

// The images as a Windows icon file (.ico), as the program's resources carry it: each
// a 4-bit bitmap in the standard palette with its 1-bit mask, the mask's pixels black.
QByteArray iconFile(std::span<const IconImage> images);

} // namespace dorvek::host
