#include "curve_picture_description.h"

#include "host/emf_format/metafile_writer.h"

#include <cmath>
#include <cstdlib>

namespace dorvek::window::curve_picture {

// The chart area holds all that is drawn: the bounds name its corners, as the
// rectangle record that paints it does. The frame is the picture's pixels in
// hundredths of a millimetre, rounded.
host::emf_format::HeaderFields header() {
    const auto hundredths = [](int pixels) {
        return static_cast<std::int32_t>(std::lround(pixels * hundredthsOfMillimetrePerPixel));
    };
    return {.bounds = chartArea,
            .frame = {0, 0, hundredths(width), hundredths(height)},
            .referencePixels = referencePixels,
            .referenceMillimetres = referenceMillimetres,
            .referenceMicrometres = {1000 * referenceMillimetres.width,
                                     1000 * referenceMillimetres.height}};
}

host::emf_format::LogFont labelFont() {
    host::emf_format::LogFont font;
    font.height = -11; // an em of 11 pixels
    font.weight = 400;
    font.charSet = 162; // Turkish
    font.faceName = u"Arial Tur";
    return font;
}

int axisColumn(double value) {
    return static_cast<int>(std::floor(plotTopLeft.x + pixelsPerUnit * (value - firstTick) + 0.5));
}

double curveAbscissa(int vertex) {
    return (vertex - 50) / 10.0;
}

Point curveVertex(int vertex) {
    const double x = curveAbscissa(vertex);
    const double row = std::floor(axisRow - peakHeight * std::exp(-x * x / 2) + 0.5);
    return {axisColumn(x), static_cast<std::int32_t>(row)};
}

std::u16string tickLabel(int value) {
    std::u16string label = value < 0 ? u"-" : u"";
    label += static_cast<char16_t>(u'0' + std::abs(value));
    label += u",0";
    return label;
}

std::int32_t labelAdvance(char16_t character) {
    switch (character) {
    case u'-':
        return 4;
    case u',':
        return 3;
    default:
        return 6;
    }
}

} // namespace dorvek::window::curve_picture
