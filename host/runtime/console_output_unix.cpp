#include "console_output.h"

namespace dorvek::host {

// A terminal decodes bytes by the user's locale, which is UTF-8 on the systems we
// build for; nothing to do.
void useUtf8ConsoleOutput() {}

// Unix streams carry bytes as written.
void useBinaryStandardOutput() {}

} // namespace dorvek::host
