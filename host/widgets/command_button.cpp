#include "command_button.h"

#include <QKeyEvent>

namespace dorvek::host {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    // Qt's own Enter handling comes with a default button's frame and its pull on
    // Enter pressed elsewhere in the window; neither belongs to this button.
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // The keypad's Enter arrives with the keypad modifier; any other modifier makes
    // it another key.
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // A held key chooses the button once, not once per repeat.
    if (!event->isAutoRepeat()) {
        click();
    }
    event->accept();
}

} // namespace dorvek::host
