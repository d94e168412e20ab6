#include "announcement.h"

#include <QAccessible>
#include <QString>
#include <QWidget>

namespace dorvek::host {

// Qt's own announcement, which reaches AT-SPI as object:announcement.
void announce(QWidget* source, const QString& text) {
    QAccessibleAnnouncementEvent event(source, text);
    QAccessible::updateAccessibility(&event);
}

} // namespace dorvek::host
