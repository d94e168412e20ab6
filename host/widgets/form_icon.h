#pragma once

#include <QIcon>
#include <QImage>
#include <QRgb>
#include <array>
#include <optional>
#include <span>

namespace dorvek::host {

struct IconImage;

// The standard 16-colour palette of icons, in its usual order: the colours an icon
// image's indices name.
inline constexpr std::array<QRgb, 16> iconPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

// Throws std::invalid_argument when the image's data is shorter than its size (or its
// size is not a size); every pixel of an image that passes can be read.
void checkIconImage(const IconImage& image);

// The palette index of the pixel at (x, y) of a checked image, high nibble first; none
// where the mask's bit, high bit first, makes the pixel transparent.
std::optional<unsigned> iconPixel(const IconImage& image, int x, int y);

// One icon image in 32-bit ARGB: palette colours where the mask is clear,
// transparent where it is set. Data shorter than the size throws std::invalid_argument.
QImage iconImage(const IconImage& image);

// A window icon holding each of the images at its own size.
QIcon iconFromImages(std::span<const IconImage> images);

} // namespace dorvek::host
