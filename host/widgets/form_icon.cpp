#include "form_icon.h"

#include "host/runtime/program_description.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <QString>
#include <array>
#include <stdexcept>
#include <vector>

namespace dorvek::host {
namespace {

// The standard 16-colour palette of icons, in its usual order.
constexpr std::array<QRgb, 16> standardPalette = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255),
};

int maskBytesPerRow(int size) {
    return (size + 7) / 8;
}

int indexBytesPerRow(int size) {
    return (size + 1) / 2;
}

bool isTransparent(const IconImage& image, int x, int y) {
    const std::uint8_t maskByte =
        image.transparencyMask[static_cast<std::size_t>(y * maskBytesPerRow(image.size) + x / 8)];
    return (maskByte & (0x80u >> (x % 8))) != 0;
}

unsigned colourIndex(const IconImage& image, int x, int y) {
    const std::uint8_t indexByte =
        image.colourIndices[static_cast<std::size_t>(y * indexBytesPerRow(image.size) + x / 2)];
    return x % 2 == 0 ? indexByte >> 4 : indexByte & 0x0Fu;
}

void checkSize(const IconImage& image) {
    const int size = image.size;
    if (size <= 0 ||
        image.transparencyMask.size() < static_cast<std::size_t>(size * maskBytesPerRow(size)) ||
        image.colourIndices.size() < static_cast<std::size_t>(size * indexBytesPerRow(size))) {
        throw std::invalid_argument("an icon image shorter than its size");
    }
}

void appendLittleEndian(QByteArray& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

// Bitmap rows run bottom to top, each padded to four bytes.
int paddedRow(int bits) {
    return (bits + 31) / 32 * 4;
}

// A BITMAPINFOHEADER of twice the height (colours above the mask), the palette, the
// colour indices, the mask.
QByteArray iconBitmap(const IconImage& image) {
    const int size = image.size;
    const int colourRow = paddedRow(size * 4);
    const int maskRow = paddedRow(size);
    QByteArray bytes;
    appendLittleEndian(bytes, 40, 4);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(size), 4);
    appendLittleEndian(bytes, static_cast<std::uint32_t>(2 * size), 4);
    appendLittleEndian(bytes, 1, 2); // planes
    appendLittleEndian(bytes, 4, 2); // bits per pixel
    appendLittleEndian(bytes, 0, 4); // no compression
    appendLittleEndian(bytes, static_cast<std::uint32_t>(size * (colourRow + maskRow)), 4);
    bytes.append(16, '\0'); // resolution, colours used and important: the defaults
    for (const QRgb colour : standardPalette) {
        bytes.append(static_cast<char>(qBlue(colour)));
        bytes.append(static_cast<char>(qGreen(colour)));
        bytes.append(static_cast<char>(qRed(colour)));
        bytes.append('\0');
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(colourRow, '\0');
        for (int x = 0; x < size; ++x) {
            const unsigned index = isTransparent(image, x, y) ? 0 : colourIndex(image, x, y);
            row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
        }
        bytes.append(row);
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (isTransparent(image, x, y)) {
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80u >> (x % 8)));
            }
        }
        bytes.append(row);
    }
    return bytes;
}

void checkOutline(const IconOutline& outline) {
    if (outline.points.size() < 3 || !(outline.side > 0) ||
        outline.colourIndex >= standardPalette.size()) {
        throw std::invalid_argument("an icon outline with no area or no palette colour");
    }
}

void checkEdge(const std::optional<IconEdge>& edge) {
    if (edge && (!(edge->width >= 0) || edge->colourIndex >= standardPalette.size())) {
        throw std::invalid_argument("an icon edge with no width or no palette colour");
    }
}

QPolygonF polygonOf(const IconOutline& outline) {
    QPolygonF polygon;
    for (const IconPoint& point : outline.points) {
        polygon << QPointF(point.x, point.y);
    }
    return polygon;
}

// Numbers as SVG writes them, whatever the locale: 14.25, 3.
QString svgNumber(double value) {
    return QString::number(value, 'g', 10);
}

} // namespace

QImage iconImage(const IconImage& image) {
    checkSize(image);
    QImage result(image.size, image.size, QImage::Format_ARGB32);
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            result.setPixel(x, y,
                            isTransparent(image, x, y) ? qRgba(0, 0, 0, 0)
                                                       : standardPalette[colourIndex(image, x, y)]);
        }
    }
    return result;
}

QImage iconImage(const IconOutline& outline, int size, std::optional<IconEdge> edge) {
    checkOutline(outline);
    checkEdge(edge);
    if (size < 1) {
        throw std::invalid_argument("an icon image of no pixels");
    }
    const QPolygonF polygon = polygonOf(outline);
    QImage result(size, size, QImage::Format_ARGB32_Premultiplied);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / outline.side, size / outline.side);
    if (edge && edge->width > 0) {
        // Round joins, as the SVG asks for, so that the sharp tip gets no long spike.
        const QColor colour(standardPalette[edge->colourIndex]);
        painter.setPen(QPen(colour, edge->width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPolygon(polygon, Qt::WindingFill);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(standardPalette[outline.colourIndex]));
    // Non-zero winding, as SVG fills a path, so that both forms fill the same area.
    painter.drawPolygon(polygon, Qt::WindingFill);
    painter.end();
    return result.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg(const IconOutline& outline, std::optional<IconEdge> edge) {
    checkOutline(outline);
    checkEdge(edge);
    QString path;
    for (const IconPoint& point : outline.points) {
        path += path.isEmpty() ? QStringLiteral("M") : QStringLiteral(" L");
        path += svgNumber(point.x) + u' ' + svgNumber(point.y);
    }
    path += QStringLiteral(" Z");
    // SVG strokes a path over its fill, so the edge is a path of its own beneath.
    QString edgePath;
    if (edge && edge->width > 0) {
        const QString colour = QColor(standardPalette[edge->colourIndex]).name();
        edgePath = QStringLiteral("  <path d=\"%1\" fill=\"%2\" stroke=\"%2\" stroke-width=\"%3\" "
                                  "stroke-linejoin=\"round\"/>\n")
                       .arg(path, colour, svgNumber(edge->width));
    }
    return QStringLiteral(R"(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="%1" height="%1" viewBox="0 0 %1 %1">
%2  <path d="%3" fill="%4"/>
</svg>
)")
        .arg(svgNumber(outline.side), edgePath, path,
             QColor(standardPalette[outline.colourIndex]).name())
        .toUtf8();
}

QIcon iconFromImages(std::span<const IconImage> images) {
    QIcon icon;
    for (const IconImage& image : images) {
        icon.addPixmap(QPixmap::fromImage(iconImage(image)));
    }
    return icon;
}

// The file's header and directory, then each image's bitmap; sizes above 255 do not
// occur among the window's images and are refused.
QByteArray iconFile(std::span<const IconImage> images) {
    constexpr int headerSize = 6;
    constexpr int entrySize = 16;
    std::vector<QByteArray> bitmaps;
    for (const IconImage& image : images) {
        checkSize(image);
        if (image.size > 255) {
            throw std::invalid_argument("an icon image too large for an icon file");
        }
        bitmaps.push_back(iconBitmap(image));
    }
    QByteArray bytes;
    appendLittleEndian(bytes, 0, 2);
    appendLittleEndian(bytes, 1, 2); // an icon, not a cursor
    appendLittleEndian(bytes, static_cast<std::uint32_t>(bitmaps.size()), 2);
    auto offset = static_cast<std::uint32_t>(headerSize + entrySize * bitmaps.size());
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const auto size = static_cast<std::uint32_t>(images[i].size);
        appendLittleEndian(bytes, size, 1);
        appendLittleEndian(bytes, size, 1);
        appendLittleEndian(bytes, 16, 1); // colours
        appendLittleEndian(bytes, 0, 1);
        appendLittleEndian(bytes, 1, 2); // planes
        appendLittleEndian(bytes, 4, 2); // bits per pixel
        appendLittleEndian(bytes, static_cast<std::uint32_t>(bitmaps[i].size()), 4);
        appendLittleEndian(bytes, offset, 4);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const QByteArray& bitmap : bitmaps) {
        bytes.append(bitmap);
    }
    return bytes;
}

} // namespace dorvek::host
