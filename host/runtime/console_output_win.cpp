#include "console_output.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace dorvek::host {
namespace {

UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

bool isConsole(DWORD standardHandle) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardHandle), &mode) != 0;
}

} // namespace

// The console decodes the bytes written to it by its own output code page (850 or 857
// for a Turkish user), not the process's UTF-8 one.
void useUtf8ConsoleOutput() {
    if (consoleCodePage != 0 || (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE))) {
        return;
    }
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restoreConsoleCodePage);
    }
}

void useBinaryStandardOutput() {
    std::fflush(stdout);
    _setmode(_fileno(stdout), _O_BINARY);
}

} // namespace dorvek::host
