#include "form_icon.h"

#include "host/runtime/program_description.h"

#include <QColor>
#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QString>
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

void checkOutline(const IconOutline& outline) {
    if (outline.points.size() < 3 || !(outline.side > 0) ||
        outline.colourIndex >= standardPalette.size()) {
        throw std::invalid_argument("an icon outline with no area or no palette colour");
    }
}

// Numbers as SVG writes them, whatever the locale: 14.25, 3.
QString svgNumber(double value) {
    return QString::number(value, 'g', 10);
}

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

QImage iconImage(const IconOutline& outline, int size) {
    checkOutline(outline);
    if (size < 1) {
        throw std::invalid_argument("an icon image of no pixels");
    }
    QPolygonF polygon;
    for (const IconPoint& point : outline.points) {
        polygon << QPointF(point.x, point.y);
    }
    QImage result(size, size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(standardPalette[outline.colourIndex]));
    painter.scale(size / outline.side, size / outline.side);
    // Non-zero winding, as SVG fills a path, so that both forms fill the same area.
    painter.drawPolygon(polygon, Qt::WindingFill);
    painter.end();
    return result.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg(const IconOutline& outline) {
    checkOutline(outline);
    QString path;
    for (const IconPoint& point : outline.points) {
        path += path.isEmpty() ? QStringLiteral("M") : QStringLiteral(" L");
        path += svgNumber(point.x) + u' ' + svgNumber(point.y);
    }
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="%1" height="%1" viewBox="0 0 %1 %1">
  <path d="%2 Z" fill="%3"/>
</svg>
)")
        .arg(svgNumber(outline.side), path, QColor(standardPalette[outline.colourIndex]).name())
        .toUtf8();
}

QIcon iconFromImages(std::span<const IconImage> images) {
    QIcon icon;
    for (const IconImage& image : images) {
        icon.addPixmap(QPixmap::fromImage(iconImage(image)));
    }
    return icon;
}

} // namespace dorvek::host
