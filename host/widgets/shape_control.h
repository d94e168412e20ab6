#pragma once

#include <QWidget>

namespace dorvek::host {

struct ShapeLook;

// A rectangle shape. Its style value is read as the classic shape's fill style:
// 0 solid, 1 transparent, 2 horizontal lines, 3 vertical lines, 4 upward diagonals,
// 5 downward diagonals, 6 a cross and 7 a diagonal cross. The fill and a one-pixel
// outline take the shape's one colour; between the hatch lines whatever lies beneath
// shows through.
class ShapeControl : public QWidget {
public:
    ShapeControl(const ShapeLook& look, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor colour_;
    Qt::BrushStyle fill_;
};

// The brush pattern that draws a fill style value; an unknown value fills nothing.
Qt::BrushStyle brushStyleForFillStyle(int style);

} // namespace dorvek::host
