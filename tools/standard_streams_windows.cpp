#include "standard_streams.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace dorvek::tools {
namespace {

bool outputWasClosed = false;
UINT consoleCodePage = 0;

void restoreConsoleCodePage() {
    SetConsoleOutputCP(consoleCodePage);
}

bool isConsole(DWORD standardStream) {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(standardStream), &mode) != 0;
}

} // namespace

// Windows never hands a closed standard stream's place to another file.
void holdClosedStandardStreams() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    outputWasClosed = output == nullptr || output == INVALID_HANDLE_VALUE;
}

bool standardOutputWasClosed() {
    return outputWasClosed;
}

// In text mode the C library would turn each line feed in the picture into CR LF.
void useBinaryStandardOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
}

// A console decodes what it is given by its own output code page (857 for a Turkish
// user), not by the process's UTF-8; the console's own is put back at the end, since
// the console outlives the program.
void useUtf8Console() {
    if (!isConsole(STD_OUTPUT_HANDLE) && !isConsole(STD_ERROR_HANDLE)) {
        return;
    }
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restoreConsoleCodePage);
    }
}

} // namespace dorvek::tools
