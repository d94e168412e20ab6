#include "form_icon.h"

#include "host/runtime/program_description.h"

#include <QPixmap>
#include <array>
#include <stdexcept>

namespace dorvek::host {
namespace {

// The standard 16-colour palette of icons, in its usual order.
constexpr std::array<QRgb, 16> standardPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

} // namespace

QImage iconImage(const IconImage& image) {
    const int size = image.size;
    const int maskBytesPerRow = (size + 7) / 8;
    const int indexBytesPerRow = (size + 1) / 2;
    if (size <= 0 ||
        image.transparencyMask.size() < static_cast<std::size_t>(size * maskBytesPerRow) ||
        image.colourIndices.size() < static_cast<std::size_t>(size * indexBytesPerRow)) {
        throw std::invalid_argument("an icon image shorter than its size");
    }
    QImage result(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const std::uint8_t maskByte =
                image.transparencyMask[static_cast<std::size_t>(y * maskBytesPerRow + x / 8)];
            if ((maskByte & (0x80u >> (x % 8))) != 0) {
                result.setPixel(x, y, qRgba(0, 0, 0, 0));
                continue;
            }
            const std::uint8_t indexByte =
                image.colourIndices[static_cast<std::size_t>(y * indexBytesPerRow + x / 2)];
            const unsigned index = x % 2 == 0 ? indexByte >> 4 : indexByte & 0x0Fu;
            result.setPixel(x, y, standardPalette[index]);
        }
    }
    return result;
}

QIcon iconFromImages(std::span<const IconImage> images) {
    QIcon icon;
    for (const IconImage& image : images) {
        icon.addPixmap(QPixmap::fromImage(iconImage(image)));
    }
    return icon;
}

} // namespace dorvek::host
