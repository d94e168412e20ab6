#include "text_drawing.h"

#include "device_mapping.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dorvek::host::playback {
namespace {

constexpr std::int64_t widestRun = std::int64_t{1} << 30;
constexpr int largestEmPixels = 4096;

std::int64_t widthOf(const emf_format::record::TextOut& run) {
    std::int64_t width = 0;
    for (std::int32_t advance : run.advances) {
        width = std::clamp(width + advance, -widestRun, widestRun);
    }
    return width;
}

} // namespace

std::int64_t drawText(QPainter& painter, const DeviceMapping& mapping,
                      const emf_format::record::TextOut& run, Point reference, const TextFont& font,
                      std::uint32_t align, const QColor& colour,
                      const std::optional<QColor>& background) {
    const std::int64_t width = widthOf(run);
    double left = reference.x;
    switch (align & emf_format::alignCentre) {
    case emf_format::alignRight:
        left -= static_cast<double>(width);
        break;
    case emf_format::alignCentre:
        left -= static_cast<double>(width / 2);
        break;
    default:
        break;
    }
    double baseline = reference.y;
    switch (align & emf_format::alignBaseline) {
    case emf_format::alignBaseline:
        break;
    case emf_format::alignBottom:
        baseline -= font.descent;
        break;
    default:
        baseline += font.ascent;
        break;
    }

    painter.save();
    const bool clipped = (run.options & emf_format::textClipped) != 0;
    if ((run.options & emf_format::textOpaque) != 0 && background) {
        painter.fillRect(mapping.area(run.rectangle), *background);
    }
    if (clipped) {
        painter.setClipRect(mapping.area(run.rectangle), Qt::IntersectClip);
    }
    if (background) {
        const QRect cell(QPoint(mapping.column(left), mapping.row(baseline - font.ascent)),
                         QPoint(mapping.column(left + static_cast<double>(width)) - 1,
                                mapping.row(baseline + font.descent) - 1));
        painter.fillRect(cell.normalized(), *background);
    }

    // The font is made again at the device's size, squeezed or stretched by the ratio of
    // the two scales, so its glyphs are hinted for the device rather than transformed,
    // which would thin a hyphen to a dot. Each glyph stands at its own whole device
    // pixel, as GDI places them.
    const int emPixels = static_cast<int>(std::lround(font.font.pixelSize() * mapping.scaleY()));
    if (emPixels >= 1) {
        QFont deviceFont = font.font;
        deviceFont.setPixelSize(std::min(emPixels, largestEmPixels));
        const auto stretch = std::lround(100 * mapping.scaleX() / mapping.scaleY());
        if (stretch != 100) {
            deviceFont.setStretch(static_cast<int>(std::clamp<long>(stretch, 1, 4000)));
        }
        painter.setFont(deviceFont);
        painter.setPen(colour);
        const int baselineRow = mapping.row(baseline);
        const QString text = QString::fromStdU16String(run.text);
        double position = left;
        for (qsizetype i = 0; i < text.size(); ++i) {
            qsizetype length = 1;
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                length = 2;
            }
            painter.drawText(QPointF(mapping.column(position), baselineRow), text.mid(i, length));
            for (qsizetype j = i; j < i + length; ++j) {
                position += run.advances[static_cast<std::size_t>(j)];
            }
            i += length - 1;
        }
    }
    painter.restore();
    return width;
}

} // namespace dorvek::host::playback
