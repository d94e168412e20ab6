#pragma once

#include "graphics_objects.h"

#include <QRect>
#include <span>

class QColor;
class QPainter;
class QPainterPath;

namespace dorvek::host::playback {

class DeviceMapping;

// Draws lines, polygons and rectangles with the conventions of the Windows graphics
// device interface, on a painter whose transform is the identity on device pixels:
// a thin line paints its start but not its end; a filled shape covers its left and
// top edges but not its right and bottom ones; a rectangle's border lies on its
// outermost pixels. A width-0 pen is one device pixel; a width-1 pen is one picture
// pixel, scaled; wider pens have round ends and joins. Nothing is anti-aliased.
class GdiRasteriser {
public:
    // visible bounds the work of long thin lines: pixels outside it are never drawn.
    GdiRasteriser(QPainter& painter, const DeviceMapping& mapping, const QRect& visible);

    void line(Point from, Point to, const Pen& pen);
    // The segments form one figure: with a wide pen they meet in round joins.
    void polyline(std::span<const Point> points, const Pen& pen);
    void polygon(std::span<const Point> points, const Pen& pen, const Brush& brush,
                 emf_format::PolygonFillMode fillMode);
    void rectangle(const Rect& box, const Pen& pen, const Brush& brush);
    void setVisible(const QRect& visible) { visible_ = visible; }

private:
    enum class Stroke { None, DevicePixel, PicturePixel, Wide };
    Stroke strokeOf(const Pen& pen) const;

    void devicePixelLine(Point from, Point to, const QColor& colour);
    void picturePixelLine(Point from, Point to, const QColor& colour);
    void wideStroke(const QPainterPath& path, const Pen& pen);
    QPainterPath widePath(std::span<const Point> points, const Pen& pen, bool closed) const;
    void fillBrush(const QPainterPath& area, const Brush& brush);
    void fill(const QRect& area, const QColor& colour);

    QPainter& painter_;
    const DeviceMapping& mapping_;
    QRect visible_;
};

} // namespace dorvek::host::playback
