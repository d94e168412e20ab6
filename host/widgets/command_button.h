#pragma once

#include <QPushButton>

namespace dorvek::host {

// A command button. As on the platform the window was designed for, the focused
// button is chosen by Return or the keypad's Enter as well as by Space or a click.
class CommandButton : public QPushButton {
public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace dorvek::host
