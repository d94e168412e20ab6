#include "twips.h"

#include "host/runtime/program_description.h"

#include <cmath>

namespace dorvek::host {

int pixelsFromTwips(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / twipsPerPixel));
}

QRect pixelRect(const TwipRect& frame) {
    const int left = pixelsFromTwips(frame.left);
    const int top = pixelsFromTwips(frame.top);
    const int right = pixelsFromTwips(frame.left + frame.width);
    const int bottom = pixelsFromTwips(frame.top + frame.height);
    return {left, top, right - left, bottom - top};
}

QSize pixelSize(int widthTwips, int heightTwips) {
    return {pixelsFromTwips(widthTwips), pixelsFromTwips(heightTwips)};
}

} // namespace dorvek::host
