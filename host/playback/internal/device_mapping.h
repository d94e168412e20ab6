#pragma once

#include "graphics_objects.h"

#include <QRect>
#include <QRectF>

namespace dorvek::host::emf_format {
struct MetafileHeader;
}

namespace dorvek::host::playback {

// Where a metafile's logical coordinates land on the device: the frame onto the whole
// destination rectangle, width and height scaled independently (MS-EMF's playback
// rule). Positions are rounded to device pixel edges, halves upward, as GDI does.
class DeviceMapping {
public:
    // destination is in device pixels.
    DeviceMapping(const emf_format::MetafileHeader& header, const QRectF& destination);

    double x(double logicalX) const { return originX_ + logicalX * scaleX_; }
    double y(double logicalY) const { return originY_ + logicalY * scaleY_; }
    int column(double logicalX) const;
    int row(double logicalY) const;
    // The other way: the logical coordinate at a device position.
    double logicalX(double deviceX) const { return (deviceX - originX_) / scaleX_; }
    double logicalY(double deviceY) const { return (deviceY - originY_) / scaleY_; }

    // The device pixels that a GDI rectangle covers: its left and top edges, not its
    // right and bottom; flipped corners are put in order first.
    QRect area(const Rect& rect) const;

    // False when the destination has no area: nothing can be drawn.
    bool drawable() const;
    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }
    // The device width of a geometric pen of the given logical width, at least 1.
    int penWidth(int logicalWidth) const;

private:
    double originX_ = 0;
    double originY_ = 0;
    double scaleX_ = 1;
    double scaleY_ = 1;
};

} // namespace dorvek::host::playback
