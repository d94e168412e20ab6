#include "requested_display.h"

namespace dorvek::host {

// Windows has one desktop and no display to name.
QString requestedDisplay() {
    return QStringLiteral("Windows masaüstü");
}

} // namespace dorvek::host
