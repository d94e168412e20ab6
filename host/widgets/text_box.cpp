#include "text_box.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>
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

void TextBox::mouseDoubleClickEvent(QMouseEvent* event) {
    // Qt's word selection stops at a sign and at a decimal comma, so "-0,84134" would
    // give "84134", and a copy of it another number. A number is written without
    // blanks: the run of non-blank characters under the pointer is the whole of it.
    // Qt's handler runs first, as it also arms the triple-click that selects all.
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QString content = text();
    const qsizetype clicked = cursorPositionAt(event->position().toPoint());
    qsizetype start = clicked;
    while (start > 0 && !content[start - 1].isSpace()) {
        --start;
    }
    qsizetype end = clicked;
    while (end < content.size() && !content[end].isSpace()) {
        ++end;
    }
    if (end > start) {
        setSelection(static_cast<int>(start), static_cast<int>(end - start));
    }
}

void TextBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    // Qt draws no caret in a read-only box, so Tab would reach an empty result box
    // with no sign of where the focus went. It gets a steady caret where the selection
    // would start; a selection, as Tab makes of a text, shows itself. Qt's caret
    // rectangle is wider than the caret, around it.
    if (isReadOnly() && hasFocus() && !hasSelectedText()) {
        const QRect around = cursorRect();
        const int width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
        QPainter painter(this);
        painter.fillRect(
            QRect(around.center().x(), around.top(), std::max(width, 1), around.height()),
            palette().text());
    }
}

} // namespace dorvek::host
