#include "palette_accent.h"

namespace dorvek::host {

// Qt before 6.6 has no accent role to set.
void setAccent(QPalette& /*palette*/, const QColor& /*colour*/) {}

} // namespace dorvek::host
