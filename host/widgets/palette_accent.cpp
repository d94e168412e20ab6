#include "palette_accent.h"

#include <QColor>
#include <QPalette>

namespace dorvek::host {

void setAccent(QPalette& palette, const QColor& colour) {
    palette.setColor(QPalette::Accent, colour);
}

} // namespace dorvek::host
