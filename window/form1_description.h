#pragma once

#include "host/runtime/program_description.h"

namespace dorvek::window {

// Form1, the program's one window, as data: caption, size, icon, every control and
// the one event handler.
const host::FormDescription& form1Description();

} // namespace dorvek::window
