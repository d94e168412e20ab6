#include "font_substitution.h"

#include "host/emf_format/emf_types.h"

#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <string>

namespace dorvek::host::playback {
namespace {

constexpr int defaultEmHeight = 12;
constexpr int largestEmHeight = 4096;

QString withoutCharacterSetSuffix(QString face) {
    for (const char* suffix : {" Tur", " CE", " Cyr", " Greek", " Baltic"}) {
        if (face.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) {
            face.chop(static_cast<int>(std::char_traits<char>::length(suffix)));
            return face;
        }
    }
    return face;
}

QString metricCompatibleFace(const QString& face) {
    if (face.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0 ||
        face.compare(QLatin1String("Helvetica"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Liberation Sans");
    }
    if (face.compare(QLatin1String("Times New Roman"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Liberation Serif");
    }
    if (face.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) {
        return QStringLiteral("Liberation Mono");
    }
    return {};
}

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

TextFont substituteFont(const emf::LogFont& logFont) {
    const QString face = withoutCharacterSetSuffix(QString::fromUtf16(
        logFont.faceName.data(), static_cast<qsizetype>(logFont.faceName.size())));
    QStringList families{face};
    if (const QString compatible = metricCompatibleFace(face); !compatible.isEmpty()) {
        families.append(compatible);
    }

    TextFont result;
    QFont& font = result.font;
    font.setFamilies(families);
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

} // namespace dorvek::host::playback
