#pragma once

namespace dorvek::host {
class FormControls;
}

namespace dorvek::window {

// Form1's one event handler: computes the probability between the two bound boxes
// into the result box. It traps nothing: an error goes back to the host's dispatch.
void Command1_Click(host::FormControls& controls);

} // namespace dorvek::window
