#pragma once

#include "host/runtime/program_description.h"

#include <span>

namespace dorvek::window {

// Form1's icon: a black tick on transparency, at 32 x 32 and at 16 x 16 pixels.
std::span<const host::IconImage> form1Icon();

// The same tick as an outline, traced from the 32-pixel image on its 32-unit square:
// the icon at the sizes the images do not cover, and scalable.
const host::IconOutline& form1IconOutline();

} // namespace dorvek::window
