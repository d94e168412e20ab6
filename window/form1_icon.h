#pragma once

#include "host/runtime/program_description.h"

#include <span>

namespace dorvek::window {

// Form1's icon: a black tick on transparency, at 32 x 32 and at 16 x 16 pixels.
std::span<const host::IconImage> form1Icon();

} // namespace dorvek::window
