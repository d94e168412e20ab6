#include "platform.h"

#include <clocale>
#include <cstring>
#include <langinfo.h>

namespace dorvek::host::platform {

// Qt reads its platform's settings from the environment as usual.
void prepareForApplication() {}

// Qt takes text as UTF-8 whatever the locale, but Xlib encodes the window's legacy
// title (WM_NAME) in the C library's character set. Where the user's locale is not
// generated there, that set is ASCII and the title is garbled for every tool that reads
// it, so the character set alone falls back to UTF-8. Numbers are untouched: the host
// reads their conventions itself. The stand-in faces come from fontconfig.
void adaptApplication() {
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
}

} // namespace dorvek::host::platform
