#pragma once

class QString;
class QWidget;

namespace dorvek::host {

// Tells screen readers a text that has just appeared away from the focus, such as a
// new result, without moving the focus. Nothing happens when no screen reader listens.
void announce(QWidget* source, const QString& text);

} // namespace dorvek::host
