#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

namespace dorvek::host {
struct IconImage;
struct IconOutline;
} // namespace dorvek::host

namespace dorvek::generators {

// A band of a palette colour along an outline, under its fill: half its width lies
// outside the outline. A dark picture keeps its shape on a dark background so.
struct IconEdge {
    std::uint8_t colourIndex = 15;
    double width = 0; // on the outline's square
};

// The outline filled at `size` pixels square, with smoothed edges, on transparency,
// over its edge if one is given. An outline of fewer than three points, a square of no
// side, a colour index past the palette, an edge whose width is negative or not a
// number or whose colour is past the palette, or a size below one pixel throws
// std::invalid_argument.
QImage iconImage(const host::IconOutline& outline, int size, std::optional<IconEdge> edge = {});

// The outline as a scalable SVG document on the outline's square: one filled path,
// over the same path stroked as the edge if one is given; refuses what iconImage()
// refuses.
QByteArray iconSvg(const host::IconOutline& outline, std::optional<IconEdge> edge = {});

// The images as a Windows icon file (.ico), as the program's resources carry it: each
// a 4-bit bitmap in the standard palette with its 1-bit mask, the mask's pixels black.
// An image shorter than its size, or larger than 255 pixels, throws
// std::invalid_argument.
QByteArray iconFile(std::span<const host::IconImage> images);

} // namespace dorvek::generators
