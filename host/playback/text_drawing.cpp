#include "text_drawing.h"

#include "host/playback/device_mapping.h"
#include "host/playback/graphics_objects.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace dorvek::host::playback {
namespace {

constexpr std::int64_t widestRun = std::int64_t{1} << 30;
constexpr int largestEmPixels = 4096;

std::int64_t widthOf(const TextRun& run) {
    std::int64_t width = 0;
    for (std::int32_t advance : run.advances) {
        width = std::clamp(width + advance, -widestRun, widestRun);
    }
    return width;
}

} // namespace

std::int64_t drawText(QPainter& painter, const DeviceMapping& mapping, const TextRun& run,
                      const TextFont& font, std::uint32_t align, const QColor& colour,
                      const std::optional<QColor>& background) {
    const std::int64_t width = widthOf(run);
    double left = run.reference.x;
    switch (align & emf::alignCentre) {
    case emf::alignRight:
        left -= static_cast<double>(width);
        break;
    case emf::alignCentre:
        left -= static_cast<double>(width / 2);
        break;
    default:
        break;
    }
    double baseline = run.reference.y;
    switch (align & emf::alignBaseline) {
    case emf::alignBaseline:
        break;
    case emf::alignBottom:
        baseline -= font.descent;
        break;
    default:
        baseline += font.ascent;
        break;
    }

    painter.save();
    const bool clipped = (run.options & emf::textClipped) != 0;
    if ((run.options & emf::textOpaque) != 0 && background) {
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
        double position = left;
        for (qsizetype i = 0; i < run.text.size(); ++i) {
            qsizetype length = 1;
            if (run.text[i].isHighSurrogate() && i + 1 < run.text.size() &&
                run.text[i + 1].isLowSurrogate()) {
                length = 2;
            }
            painter.drawText(QPointF(mapping.column(position), baselineRow),
                             run.text.mid(i, length));
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
