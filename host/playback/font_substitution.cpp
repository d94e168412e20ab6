#include "font_substitution.h"

#include "face_stand_ins.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace dorvek::host::playback {
namespace {

constexpr int defaultEmHeight = 12;
constexpr int largestEmHeight = 4096;

QFont::StyleHint styleHintOf(std::uint8_t pitchAndFamily) {
    switch (pitchAndFamily & 0xF0) {
    case 0x10: // FF_ROMAN
        return QFont::Serif;
    case 0x30: // FF_MODERN
        return QFont::TypeWriter;
    case 0x40: // FF_SCRIPT
        return QFont::Cursive;
    case 0x50: // FF_DECORATIVE
        return QFont::Decorative;
    default:
        return QFont::SansSerif;
    }
}

// A positive height is the cell's, ascent and descent together; the em is smaller.
int emHeightOf(const QFont& font, std::int32_t height) {
    if (height == 0) {
        return defaultEmHeight;
    }
    if (height < 0) {
        return static_cast<int>(std::min<std::int64_t>(-std::int64_t{height}, largestEmHeight));
    }
    QFont probe = font;
    probe.setPixelSize(100);
    const QFontMetricsF metrics(probe);
    const double cell = metrics.ascent() + metrics.descent();
    const double em = cell > 0 ? std::min<double>(height, largestEmHeight) * 100 / cell : height;
    return std::clamp(static_cast<int>(std::lround(em)), 1, largestEmHeight);
}

} // namespace

// The window's own stand-in, so a face reads the same in the picture as on the
// controls whether or not the system has the original.
TextFont substituteFont(const emf_format::LogFont& logFont) {
    TextFont result;
    QFont& font = result.font;
    font.setFamily(standInFace(
        QStringView(logFont.faceName.data(), static_cast<qsizetype>(logFont.faceName.size()))));
    font.setStyleHint(styleHintOf(logFont.pitchAndFamily),
                      QFont::StyleStrategy(QFont::NoAntialias | QFont::NoSubpixelAntialias));
    font.setKerning(false);
    font.setWeight(
        static_cast<QFont::Weight>(logFont.weight <= 0 ? 400 : std::min(logFont.weight, 1000)));
    font.setItalic(logFont.italic != 0);
    font.setUnderline(logFont.underline != 0);
    font.setStrikeOut(logFont.strikeOut != 0);
    font.setPixelSize(emHeightOf(font, logFont.height));

    const QFontMetricsF metrics(font);
    result.ascent = static_cast<int>(std::lround(metrics.ascent()));
    result.descent = static_cast<int>(std::lround(metrics.descent()));
    return result;
}

// Left to their defaults: no width, escapement or orientation, regular weight, no
// style, the default character set and family.
const emf_format::LogFont& systemFont() {
    static const emf_format::LogFont font{.height = -12, .faceName = u"Arial"};
    return font;
}

} // namespace dorvek::host::playback
