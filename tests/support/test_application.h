#pragma once

class QApplication;

namespace dorvek::test {

// The one application of a test process, made on first use and kept to its end. It
// serves widgets, fonts and painting alike; without a chosen Qt platform it takes
// the offscreen one, so no test needs a display.
QApplication& testApplication();

} // namespace dorvek::test
