#include "form_fonts.h"

#include "host/runtime/program_description.h"

#include <array>

namespace dorvek::host {
namespace {

struct FaceStandIn {
    const char16_t* designed;
    const char16_t* standIn;
};

// Liberation Sans has Arial's widths; "MS Sans Serif" is a bitmap face of about the
// same widths at 8 pt, so one stand-in serves all three.
constexpr std::array<FaceStandIn, 3> faceStandIns = {{
    {u"MS Sans Serif", u"Liberation Sans"},
    {u"Arial", u"Liberation Sans"},
    {u"Arial Tur", u"Liberation Sans"},
}};

constexpr double windowDefaultPoints = 8.0;

} // namespace

QString standInFace(QStringView face) {
    for (const FaceStandIn& standIn : faceStandIns) {
        if (face.compare(QStringView(standIn.designed), Qt::CaseInsensitive) == 0) {
            return QString::fromUtf16(standIn.standIn);
        }
    }
    return face.toString();
}

QFont windowDefaultFont() {
    QFont font(standInFace(u"MS Sans Serif"));
    font.setPointSizeF(windowDefaultPoints);
    return font;
}

// The character set is not carried over: Qt's texts are Unicode, and the stand-in
// faces cover Turkish.
QFont describedFont(const FontDescription& description) {
    QFont font(standInFace(QString::fromUtf8(description.face.data(),
                                             static_cast<qsizetype>(description.face.size()))));
    font.setPointSizeF(description.points);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    font.setItalic(description.italic);
    font.setUnderline(description.underline);
    font.setStrikeOut(description.strikeOut);
    return font;
}

} // namespace dorvek::host
