#include "curve_picture_description.h"

#include "host/emf_format/metafile_writer.h"

#include <cmath>
#include <cstdlib>

namespace dorvek::window::curve_picture {

host::emf::HeaderFields header() {
    host::emf::HeaderFields fields;
    fields.bounds = {5, 5, 485, 249};
    fields.frame = {0, 0, 15344, 7938}; // 491 x 254 pixels of 31.25 hundredths of a mm
    fields.referencePixels = {1024, 768};
    fields.referenceMillimetres = {320, 240};
    fields.referenceMicrometres = {320000, 240000};
    return fields;
}

host::emf::LogFont labelFont() {
    host::emf::LogFont font;
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
