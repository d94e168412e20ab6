#pragma once

#include <QString>

namespace dorvek::host {

// The display the window system is asked to open, as the user's environment names it;
// empty where it names none.
QString requestedDisplay();

} // namespace dorvek::host
