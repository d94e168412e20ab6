#include "face_stand_ins.h"

#include <array>

namespace dorvek::host::playback {
namespace {

struct FaceStandIn {
    const char16_t* designed;
    const char16_t* standIn;
};

// Liberation Sans has Arial's widths; "MS Sans Serif" is a bitmap face of about the
// same widths at 8 pt, so the same face serves it.
constexpr std::array<FaceStandIn, 5> faceStandIns = {{
    {u"Arial", u"Liberation Sans"},
    {u"Helvetica", u"Liberation Sans"},
    {u"MS Sans Serif", u"Liberation Sans"},
    {u"Times New Roman", u"Liberation Serif"},
    {u"Courier New", u"Liberation Mono"},
}};

constexpr std::array<const char16_t*, 5> characterSetSuffixes = {u" Tur", u" CE", u" Cyr",
                                                                 u" Greek", u" Baltic"};

} // namespace

QString standInFace(QStringView face) {
    for (const char16_t* suffix : characterSetSuffixes) {
        if (face.endsWith(QStringView(suffix), Qt::CaseInsensitive)) {
            face.chop(QStringView(suffix).size());
            break;
        }
    }
    for (const FaceStandIn& standIn : faceStandIns) {
        if (face.compare(QStringView(standIn.designed), Qt::CaseInsensitive) == 0) {
            return QString::fromUtf16(standIn.standIn);
        }
    }
    return face.toString();
}

} // namespace dorvek::host::playback
