#include "announcement.h"

#include <QAccessible>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace dorvek::host {
namespace {

// Qt has no announcement of its own before 6.8. A notification that shows is what
// screen readers speak unasked, as they do the desktop's notifications: this one
// belongs to the window and holds the text; it has no widget and draws nothing.
class Notification final : public QAccessibleInterface {
public:
    explicit Notification(QWidget* window) : window_(window) {}

    void setText(const QString& text) { text_ = text; }

    bool isValid() const override { return !window_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return window_ ? window_->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(window_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name || kind == QAccessible::Value ? text_ : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<QWidget> window_;
    QString text_;
};

// Keeps the window's notification known to screen readers for the window's life.
class NotificationHolder final : public QObject {
public:
    explicit NotificationHolder(QWidget* window)
        : QObject(window), notification(new Notification(window)),
          id_(QAccessible::registerAccessibleInterface(notification)) {}
    ~NotificationHolder() override { QAccessible::deleteAccessibleInterface(id_); }
    NotificationHolder(const NotificationHolder&) = delete;
    NotificationHolder& operator=(const NotificationHolder&) = delete;

    Notification* notification;

private:
    QAccessible::Id id_;
};

Notification* notificationOf(QWidget* window) {
    for (QObject* child : window->children()) {
        if (auto* holder = dynamic_cast<NotificationHolder*>(child)) {
            return holder->notification;
        }
    }
    return (new NotificationHolder(window))->notification;
}

} // namespace

void announce(QWidget* source, const QString& text) {
    if (!QAccessible::isActive()) {
        return;
    }
    Notification* notification = notificationOf(source->window());
    notification->setText(text);
    // Hidden first, so that every announcement is a change a screen reader hears.
    QAccessibleEvent hidden(notification, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
    QAccessibleEvent shown(notification, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

} // namespace dorvek::host
