#include "gdi_rasteriser.h"

#include "device_mapping.h"
#include "line_pixels.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace dorvek::host::playback {
namespace {

// Wide strokes are centred a hair below and right of their exact position, so a
// pixel centre lying on a stroke's edge goes the way GDI sends it: a width-2 line
// on row Y paints rows Y - 1 and Y.
constexpr double tieBreak = 1.0 / 256;
constexpr int widestPen = 1 << 14;
// Beyond this, products in the line walk could overflow 64 bits.
constexpr std::int64_t longestLine = std::int64_t{1} << 30;

Qt::FillRule fillRuleOf(emf_format::PolygonFillMode mode) {
    return mode == emf_format::PolygonFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill;
}

// Indexed by the hatch.
constexpr std::array<Qt::BrushStyle, 6> hatchPatterns = {Qt::HorPattern,   Qt::VerPattern,
                                                         Qt::FDiagPattern, Qt::BDiagPattern,
                                                         Qt::CrossPattern, Qt::DiagCrossPattern};

} // namespace

GdiRasteriser::GdiRasteriser(QPainter& painter, const DeviceMapping& mapping, const QRect& visible)
    : painter_(painter), mapping_(mapping), visible_(visible) {}

GdiRasteriser::Stroke GdiRasteriser::strokeOf(const Pen& pen) const {
    if (!pen.visible) {
        return Stroke::None;
    }
    if (pen.width == 0 || mapping_.penWidth(pen.width) == 1) {
        return Stroke::DevicePixel;
    }
    return pen.width == 1 ? Stroke::PicturePixel : Stroke::Wide;
}

void GdiRasteriser::fill(const QRect& area, const QColor& colour) {
    if (!area.isEmpty()) {
        painter_.fillRect(area, colour);
    }
}

void GdiRasteriser::devicePixelLine(Point from, Point to, const QColor& colour) {
    RunFiller runs(painter_, colour);
    walkLine(mapping_.column(from.x), mapping_.row(from.y), mapping_.column(to.x),
             mapping_.row(to.y), visible_.left(), visible_.right(), visible_.top(),
             visible_.bottom(), [&](std::int64_t x, std::int64_t y) {
                 runs.add(QRect(static_cast<int>(x), static_cast<int>(y), 1, 1));
             });
}

// A width-1 pen covers whole picture pixels, each as large as the scale makes it and
// never less than one device pixel, so a border stays a border when magnified.
void GdiRasteriser::picturePixelLine(Point from, Point to, const QColor& colour) {
    if (std::abs(std::int64_t{to.x} - from.x) > longestLine ||
        std::abs(std::int64_t{to.y} - from.y) > longestLine) {
        devicePixelLine(from, to, colour);
        return;
    }
    RunFiller runs(painter_, colour);
    walkLine(from.x, from.y, to.x, to.y, mapping_.logicalX(visible_.left()) - 1,
             mapping_.logicalX(visible_.right() + 1) + 1, mapping_.logicalY(visible_.top()) - 1,
             mapping_.logicalY(visible_.bottom() + 1) + 1, [&](std::int64_t x, std::int64_t y) {
                 const int left = mapping_.column(static_cast<double>(x));
                 const int top = mapping_.row(static_cast<double>(y));
                 const int right = std::max(left + 1, mapping_.column(static_cast<double>(x + 1)));
                 const int bottom = std::max(top + 1, mapping_.row(static_cast<double>(y + 1)));
                 runs.add(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)));
             });
}

// GDI centres a pen of odd width on the middle of its pixel and one of even width on
// the pixel's top-left corner.
QPainterPath GdiRasteriser::widePath(std::span<const Point> points, const Pen& pen,
                                     bool closed) const {
    const double centre = pen.width % 2 != 0 ? 0.5 : 0.0;
    QPainterPath path;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const QPointF device(mapping_.x(points[i].x + centre) + tieBreak,
                             mapping_.y(points[i].y + centre) + tieBreak);
        if (i == 0) {
            path.moveTo(device);
        } else {
            path.lineTo(device);
        }
    }
    if (closed) {
        path.closeSubpath();
    }
    return path;
}

void GdiRasteriser::wideStroke(const QPainterPath& path, const Pen& pen) {
    const int width = std::min(widestPen, mapping_.penWidth(pen.width));
    painter_.setPen(QPen(qColour(pen.colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawPath(path);
}

void GdiRasteriser::line(Point from, Point to, const Pen& pen) {
    switch (strokeOf(pen)) {
    case Stroke::None:
        break;
    case Stroke::DevicePixel:
        devicePixelLine(from, to, qColour(pen.colour));
        break;
    case Stroke::PicturePixel:
        picturePixelLine(from, to, qColour(pen.colour));
        break;
    case Stroke::Wide: {
        const Point ends[] = {from, to};
        wideStroke(widePath(ends, pen, false), pen);
        break;
    }
    }
}

void GdiRasteriser::polyline(std::span<const Point> points, const Pen& pen) {
    if (points.size() < 2) {
        return;
    }
    if (strokeOf(pen) == Stroke::Wide) {
        wideStroke(widePath(points, pen, false), pen);
        return;
    }
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(points[i - 1], points[i], pen);
    }
}

void GdiRasteriser::fillBrush(const QPainterPath& area, const Brush& brush) {
    switch (brush.style) {
    case Brush::Style::Null:
        break;
    case Brush::Style::Solid:
        painter_.fillPath(area, qColour(brush.colour));
        break;
    case Brush::Style::Hatched:
        painter_.fillPath(area, QBrush(qColour(brush.colour),
                                       hatchPatterns[static_cast<std::size_t>(brush.hatch)]));
        break;
    }
}

void GdiRasteriser::polygon(std::span<const Point> points, const Pen& pen, const Brush& brush,
                            emf_format::PolygonFillMode fillMode) {
    if (points.size() < 2) {
        return;
    }
    // Vertices snap to device pixel corners; Qt then fills the pixels whose centres lie
    // inside, which takes the left and top edges and leaves the right and bottom ones.
    QPainterPath area;
    area.setFillRule(fillRuleOf(fillMode));
    area.moveTo(mapping_.column(points[0].x), mapping_.row(points[0].y));
    for (std::size_t i = 1; i < points.size(); ++i) {
        area.lineTo(mapping_.column(points[i].x), mapping_.row(points[i].y));
    }
    area.closeSubpath();
    fillBrush(area, brush);

    if (strokeOf(pen) == Stroke::Wide) {
        wideStroke(widePath(points, pen, true), pen);
        return;
    }
    for (std::size_t i = 0; i < points.size(); ++i) {
        line(points[i], points[(i + 1) % points.size()], pen);
    }
}

void GdiRasteriser::rectangle(const Rect& box, const Pen& pen, const Brush& brush) {
    const QRect area = mapping_.area(box);
    if (area.isEmpty()) {
        return;
    }
    QPainterPath fillArea;
    fillArea.addRect(area);
    fillBrush(fillArea, brush);

    const QColor colour = qColour(pen.colour);
    const Rect corners{std::min(box.left, box.right), std::min(box.top, box.bottom),
                       std::max(box.left, box.right), std::max(box.top, box.bottom)};
    switch (strokeOf(pen)) {
    case Stroke::None:
        break;
    case Stroke::DevicePixel:
        fill(QRect(area.left(), area.top(), area.width(), 1), colour);
        fill(QRect(area.left(), area.bottom(), area.width(), 1), colour);
        fill(QRect(area.left(), area.top(), 1, area.height()), colour);
        fill(QRect(area.right(), area.top(), 1, area.height()), colour);
        break;
    case Stroke::PicturePixel: {
        // One picture pixel deep on each side, within the covered area.
        const int top = std::clamp(mapping_.row(corners.top + 1.0) - 1, area.top(), area.bottom());
        const int bottom =
            std::clamp(mapping_.row(corners.bottom - 1.0), area.top(), area.bottom());
        const int left =
            std::clamp(mapping_.column(corners.left + 1.0) - 1, area.left(), area.right());
        const int right =
            std::clamp(mapping_.column(corners.right - 1.0), area.left(), area.right());
        fill(QRect(QPoint(area.left(), area.top()), QPoint(area.right(), top)), colour);
        fill(QRect(QPoint(area.left(), bottom), QPoint(area.right(), area.bottom())), colour);
        fill(QRect(QPoint(area.left(), area.top()), QPoint(left, area.bottom())), colour);
        fill(QRect(QPoint(right, area.top()), QPoint(area.right(), area.bottom())), colour);
        break;
    }
    case Stroke::Wide: {
        const Point outline[] = {{corners.left, corners.top},
                                 {corners.right - 1, corners.top},
                                 {corners.right - 1, corners.bottom - 1},
                                 {corners.left, corners.bottom - 1}};
        wideStroke(widePath(outline, pen, true), pen);
        break;
    }
    }
}

} // namespace dorvek::host::playback
