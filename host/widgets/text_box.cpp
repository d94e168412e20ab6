#include "text_box.h"

#include <QFocusEvent>
#include <limits>

namespace dorvek::host {

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(parent) {
    // Qt's default limit of 32767 characters truncates silently.
    setMaxLength(std::numeric_limits<int>::max());
    setText(text);
}

void TextBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // Not while the box's own context menu is open, nor when another application is
    // activated: the user comes back to the box to go on where they were.
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason) {
        home(false);
    }
}

} // namespace dorvek::host
