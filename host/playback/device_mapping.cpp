#include "device_mapping.h"

#include "host/emf_format/metafile_parser.h"

#include <algorithm>
#include <cmath>

namespace dorvek::host::playback {
namespace {

// Far beyond any screen, yet small enough that sums of device positions never overflow.
constexpr double deviceLimit = 1 << 24;

int roundHalfUp(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<int>(std::floor(std::clamp(value, -deviceLimit, deviceLimit) + 0.5));
}

// A frame edge in reference-device pixels. The frame was written in hundredths of a
// millimetre, rounded from whole pixels (491 pixels at 3.2 per millimetre are 153.44
// mm, read back as 491.008); undo that rounding so a picture plays 1:1 at its own size.
double framePixels(std::int32_t hundredthsOfMillimetre, double pixelsPerMillimetre) {
    const double pixels = hundredthsOfMillimetre * pixelsPerMillimetre / 100;
    const double whole = std::round(pixels);
    return std::abs(pixels - whole) <= pixelsPerMillimetre / 100 ? whole : pixels;
}

} // namespace

DeviceMapping::DeviceMapping(const emf_format::MetafileHeader& header, const QRectF& destination) {
    const double perMillimetreX =
        static_cast<double>(header.referencePixels.width) / header.referenceMillimetres.width;
    const double perMillimetreY =
        static_cast<double>(header.referencePixels.height) / header.referenceMillimetres.height;
    const double frameLeft = framePixels(header.frame.left, perMillimetreX);
    const double frameTop = framePixels(header.frame.top, perMillimetreY);
    const double frameWidth = framePixels(header.frame.right, perMillimetreX) - frameLeft;
    const double frameHeight = framePixels(header.frame.bottom, perMillimetreY) - frameTop;

    scaleX_ = frameWidth > 0 ? destination.width() / frameWidth : 0;
    scaleY_ = frameHeight > 0 ? destination.height() / frameHeight : 0;
    originX_ = destination.left() - frameLeft * scaleX_;
    originY_ = destination.top() - frameTop * scaleY_;
}

bool DeviceMapping::drawable() const {
    return std::isfinite(originX_) && std::isfinite(originY_) && std::isfinite(scaleX_) &&
           std::isfinite(scaleY_) && scaleX_ > 0 && scaleY_ > 0;
}

int DeviceMapping::column(double logicalX) const {
    return roundHalfUp(x(logicalX));
}

int DeviceMapping::row(double logicalY) const {
    return roundHalfUp(y(logicalY));
}

QRect DeviceMapping::area(const Rect& rect) const {
    const int left = column(rect.left);
    const int right = column(rect.right);
    const int top = row(rect.top);
    const int bottom = row(rect.bottom);
    return QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                 QPoint(std::max(left, right) - 1, std::max(top, bottom) - 1));
}

int DeviceMapping::penWidth(int logicalWidth) const {
    const double scale = std::sqrt(std::abs(scaleX_ * scaleY_));
    return std::max(1, roundHalfUp(std::abs(static_cast<double>(logicalWidth)) * scale));
}

} // namespace dorvek::host::playback
