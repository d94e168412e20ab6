#pragma once

class QColor;
class QPalette;

namespace dorvek::host {

// Gives the palette's accent role the colour, where this Qt's palette has one (from
// 6.6 on); older palettes are left as they are.
void setAccent(QPalette& palette, const QColor& colour);

} // namespace dorvek::host
