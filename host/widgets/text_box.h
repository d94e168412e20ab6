#pragma once

#include <QLineEdit>

namespace dorvek::host {

// A text box. It holds whatever is typed or pasted, whole: the program reads numbers
// of any length, so a box that cut a text short would have it compute with another
// number than the one the user sees elsewhere. When it loses the focus it shows the
// start of its text, where a number keeps its sign and leading digits. A double-click
// selects the whole number under the pointer, not the word between two separators. A
// read-only box that has the focus shows a caret, as an editable one does.
class TextBox : public QLineEdit {
public:
    TextBox(const QString& text, QWidget* parent);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dorvek::host
