#pragma once

#include <string>

namespace dorvek::tools {

// Why a file or standard output could not be written, in Turkish, from the C library's
// error number. The system's own texts follow the user's locale, which need not be
// Turkish, and may be missing altogether.
std::string writeFailureReason(int errorNumber);

} // namespace dorvek::tools
