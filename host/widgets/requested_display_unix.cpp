#include "requested_display.h"

namespace dorvek::host {

// Qt takes Wayland where it is asked for by name, and X11 otherwise.
QString requestedDisplay() {
    if (qEnvironmentVariable("QT_QPA_PLATFORM").startsWith(QLatin1String("wayland"))) {
        return qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    }
    return qEnvironmentVariable("DISPLAY");
}

} // namespace dorvek::host
