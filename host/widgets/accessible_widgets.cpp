#include "accessible_widgets.h"

#include "form_window.h"
#include "image_control.h"
#include "shape_control.h"
#include "text_box.h"

#include <QAccessibleWidget>
#include <QFontMetrics>

namespace dorvek::host {
namespace {

// Qt says of every line edit that it is editable, read-only or not, and offers
// screen readers to edit its text. A text box says either read-only or editable, as
// it is when asked, and offers editing only where typing could do the same.
class TextBoxAccessible final : public QAccessibleWidget,
                                public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
public:
    explicit TextBoxAccessible(TextBox* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? box()->text() : QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind == QAccessible::Value && !box()->isReadOnly()) {
            box()->setText(text);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = box()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface && !box()->isReadOnly()) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // Edited as typing would: through the selection and the cursor.
    void deleteText(int start, int end) override {
        box()->setSelection(start, end - start);
        box()->del();
    }
    void insertText(int offset, const QString& text) override {
        box()->setCursorPosition(offset);
        box()->insert(text);
    }
    void replaceText(int start, int end, const QString& text) override {
        box()->setSelection(start, end - start);
        box()->insert(text);
    }

    void selection(int index, int* start, int* end) const override {
        const bool selected = index == 0 && box()->hasSelectedText();
        *start = selected ? box()->selectionStart() : 0;
        *end = selected ? box()->selectionEnd() : 0;
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { box()->setSelection(start, end - start); }
    void removeSelection(int) override { box()->deselect(); }
    void setSelection(int, int start, int end) override { box()->setSelection(start, end - start); }
    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }
    QString text(int start, int end) const override {
        return box()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(box()->text().size()); }
    QRect characterRect(int offset) const override {
        const QString text = box()->text();
        if (offset < 0 || offset >= text.size()) {
            return {};
        }
        const QFontMetrics metrics(box()->font());
        const QMargins margins = box()->textMargins();
        const QRect cell(margins.left() + metrics.horizontalAdvance(text.left(offset)),
                         margins.top(), metrics.horizontalAdvance(text.at(offset)),
                         metrics.height());
        return cell.translated(box()->mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int start, int end) override {
        box()->setCursorPosition(end);
        box()->setCursorPosition(start);
    }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    TextBox* box() const { return static_cast<TextBox*>(widget()); }
};

// A form window is a frame. Its shapes are decoration that tells nothing, so screen
// readers are not told of them: they would read out "a rectangle" among the controls.
class FormWindowAccessible final : public QAccessibleWidget {
public:
    explicit FormWindowAccessible(FormWindow* window)
        : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return static_cast<int>(told().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> children = told();
        return index >= 0 && index < children.size()
                   ? QAccessible::queryAccessibleInterface(children.at(index))
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr) {
            return -1;
        }
        return static_cast<int>(told().indexOf(qobject_cast<QWidget*>(child->object())));
    }

private:
    QList<QWidget*> told() const {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (child != nullptr && !child->isWindow() &&
                dynamic_cast<ShapeControl*>(child) == nullptr) {
                children.append(child);
            }
        }
        return children;
    }
};

// Asked once for each class of an object's ancestry, most derived first; the host's
// widgets declare no class of their own, so they are told apart by their type.
QAccessibleInterface* accessibleWidget(const QString& className, QObject* object) {
    if (className == QLatin1String("QWidget")) {
        if (auto* window = dynamic_cast<FormWindow*>(object)) {
            return new FormWindowAccessible(window);
        }
        // A picture, named by its description: an image, not an empty client area.
        if (auto* image = dynamic_cast<ImageControl*>(object)) {
            return new QAccessibleWidget(image, QAccessible::Graphic);
        }
    }
    if (className == QLatin1String("QLineEdit")) {
        if (auto* box = dynamic_cast<TextBox*>(object)) {
            return new TextBoxAccessible(box);
        }
    }
    return nullptr;
}

} // namespace

void installAccessibleWidgets() {
    QAccessible::installFactory(accessibleWidget);
}

} // namespace dorvek::host
