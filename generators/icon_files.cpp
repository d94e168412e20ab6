#include "icon_files.h"

#include "host/emf_format/little_endian.h"
#include "host/runtime/program_description.h"
#include "host/widgets/form_icon.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace dorvek::generators {
namespace {

using host::IconImage;
using host::IconOutline;
using host::iconPalette;
using host::IconPoint;
using host::emf_format::ByteAppender;

// Bitmap rows run bottom to top, each padded to four bytes.
std::size_t paddedRow(int bits) {
    return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

// A BITMAPINFOHEADER of twice the height (colours above the mask), the palette, the
// colour indices, the mask.
std::vector<std::byte> iconBitmap(const IconImage& image) {
    const int size = image.size;
    const std::size_t colourRow = paddedRow(size * 4);
    const std::size_t maskRow = paddedRow(size);
    std::vector<std::byte> bytes;
    ByteAppender out(bytes);
    out.put<std::uint32_t>(40);
    out.put(static_cast<std::int32_t>(size));
    out.put(static_cast<std::int32_t>(2 * size));
    out.put<std::uint16_t>(1); // planes
    out.put<std::uint16_t>(4); // bits per pixel
    out.put<std::uint32_t>(0); // no compression
    out.put(static_cast<std::uint32_t>(static_cast<std::size_t>(size) * (colourRow + maskRow)));
    out.zeros(16); // resolution, colours used and important: the defaults
    // An RGBQUAD (blue, green, red, zero) is the colour's 0x00RRGGBB, little-endian.
    for (const QRgb colour : iconPalette) {
        out.put<std::uint32_t>(colour & 0x00FFFFFFu);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::byte> row(colourRow);
        for (int x = 0; x < size; ++x) {
            const unsigned index = host::iconPixel(image, x, y).value_or(0);
            row[static_cast<std::size_t>(x / 2)] |= std::byte(x % 2 == 0 ? index << 4 : index);
        }
        out.bytes(row);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::byte> row(maskRow);
        for (int x = 0; x < size; ++x) {
            if (!host::iconPixel(image, x, y)) {
                row[static_cast<std::size_t>(x / 8)] |= std::byte(0x80u >> (x % 8));
            }
        }
        out.bytes(row);
    }
    return bytes;
}

void checkOutline(const IconOutline& outline) {
    if (outline.points.size() < 3 || !(outline.side > 0) ||
        outline.colourIndex >= iconPalette.size()) {
        throw std::invalid_argument("an icon outline with no area or no palette colour");
    }
}

void checkEdge(const std::optional<IconEdge>& edge) {
    if (edge && (!(edge->width >= 0) || edge->colourIndex >= iconPalette.size())) {
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
        const QColor colour(iconPalette[edge->colourIndex]);
        painter.setPen(QPen(colour, edge->width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(colour);
        painter.drawPolygon(polygon, Qt::WindingFill);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(iconPalette[outline.colourIndex]));
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
        const QString colour = QColor(iconPalette[edge->colourIndex]).name();
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
             QColor(iconPalette[outline.colourIndex]).name())
        .toUtf8();
}

// The file's header and directory, then each image's bitmap; sizes above 255 do not
// occur among the window's images and are refused.
QByteArray iconFile(std::span<const IconImage> images) {
    constexpr std::size_t headerSize = 6;
    constexpr std::size_t entrySize = 16;
    std::vector<std::vector<std::byte>> bitmaps;
    for (const IconImage& image : images) {
        host::checkIconImage(image);
        if (image.size > 255) {
            throw std::invalid_argument("an icon image too large for an icon file");
        }
        bitmaps.push_back(iconBitmap(image));
    }
    std::vector<std::byte> bytes;
    ByteAppender out(bytes);
    out.put<std::uint16_t>(0);
    out.put<std::uint16_t>(1); // an icon, not a cursor
    out.put(static_cast<std::uint16_t>(bitmaps.size()));
    auto offset = static_cast<std::uint32_t>(headerSize + entrySize * bitmaps.size());
    for (std::size_t i = 0; i < bitmaps.size(); ++i) {
        const auto size = static_cast<std::uint8_t>(images[i].size);
        out.put(size);             // width
        out.put(size);             // height
        out.put<std::uint8_t>(16); // colours
        out.put<std::uint8_t>(0);
        out.put<std::uint16_t>(1); // planes
        out.put<std::uint16_t>(4); // bits per pixel
        out.put(static_cast<std::uint32_t>(bitmaps[i].size()));
        out.put(offset);
        offset += static_cast<std::uint32_t>(bitmaps[i].size());
    }
    for (const std::vector<std::byte>& bitmap : bitmaps) {
        out.bytes(bitmap);
    }
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

} // namespace dorvek::generators
