#include "form_icon.h"

#include "host/runtime/program_description.h"

#include <QPixmap>
#include <stdexcept>

namespace dorvek::host {
namespace {

int maskBytesPerRow(int size) {
    return (size + 7) / 8;
}

int indexBytesPerRow(int size) {
    return (size + 1) / 2;
}

} // namespace

void checkIconImage(const IconImage& image) {
    const int size = image.size;
    if (size <= 0 ||
        image.transparencyMask.size() < static_cast<std::size_t>(size * maskBytesPerRow(size)) ||
        image.colourIndices.size() < static_cast<std::size_t>(size * indexBytesPerRow(size))) {
        throw std::invalid_argument("an icon image shorter than its size");
    }
}

std::optional<unsigned> iconPixel(const IconImage& image, int x, int y) {
    const std::uint8_t maskByte =
        image.transparencyMask[static_cast<std::size_t>(y * maskBytesPerRow(image.size) + x / 8)];
    if ((maskByte & (0x80u >> (x % 8))) != 0) {
        return std::nullopt;
    }
    const std::uint8_t indexByte =
        image.colourIndices[static_cast<std::size_t>(y * indexBytesPerRow(image.size) + x / 2)];
    return x % 2 == 0 ? indexByte >> 4 : indexByte & 0x0Fu;
}

QImage iconImage(const IconImage& image) {
    checkIconImage(image);
    QImage result(image.size, image.size, QImage::Format_ARGB32);
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            const std::optional<unsigned> index = iconPixel(image, x, y);
            result.setPixel(x, y, index ? iconPalette[*index] : qRgba(0, 0, 0, 0));
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
