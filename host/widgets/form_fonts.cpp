#include "form_fonts.h"

#include "host/playback/face_stand_ins.h"
#include "host/runtime/program_description.h"
#include "utf8_text.h"

namespace dorvek::host {
namespace {

constexpr double windowDefaultPoints = 8.0;

} // namespace

QFont windowDefaultFont() {
    QFont font(playback::standInFace(u"MS Sans Serif"));
    font.setPointSizeF(windowDefaultPoints);
    return font;
}

// The character set is not carried over: Qt's texts are Unicode, and the stand-in
// faces cover Turkish.
QFont describedFont(const FontDescription& description) {
    QFont font(playback::standInFace(fromUtf8(description.face)));
    font.setPointSizeF(description.points);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    return font;
}

} // namespace dorvek::host
