#include "shape_control.h"

#include "host/runtime/program_description.h"
#include "system_colours.h"

#include <QPainter>
#include <array>

namespace dorvek::host {

Qt::BrushStyle brushStyleForFillStyle(int style) {
    // Indexed by the fill style value.
    constexpr std::array<Qt::BrushStyle, 8> patterns = {
        Qt::SolidPattern, Qt::NoBrush,      Qt::HorPattern,   Qt::VerPattern,
        Qt::BDiagPattern, Qt::FDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern,
    };
    if (style < 0 || style >= static_cast<int>(patterns.size())) {
        return Qt::NoBrush;
    }
    return patterns[static_cast<std::size_t>(style)];
}

ShapeControl::ShapeControl(const ShapeLook& look, QWidget* parent)
    : QWidget(parent), colour_(resolveColour(look.colour).value_or(Qt::black)),
      fill_(brushStyleForFillStyle(look.style)) {}

void ShapeControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(colour_, 0));
    painter.setBrush(QBrush(colour_, fill_));
    // The outline lies on the outermost pixels of the frame.
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace dorvek::host
