#pragma once

#include "host/runtime/program_description.h"

namespace dorvek::window {

// What the entry point hands to the host's start: the application's title and
// version, and Form1 as the start-up form.
const host::ProgramDescription& dorvekProgram();

} // namespace dorvek::window
