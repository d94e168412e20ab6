#include "standard_streams.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>
#include <utility>
#include <windows.h>

namespace dorvek::tools {
namespace {

bool outputWasClosed = false;
UINT consoleCodePage = 0;
// More than anything the program writes at once (--help is about 2 KiB), so that no
// letter is split between two writes.
constexpr std::size_t consoleBufferSize = 64 * 1024;

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

// A console decodes the bytes it is given by its own output code page (857 for a
// Turkish user), not by the process's UTF-8: it is switched to UTF-8, and its own put
// back at the end, since the console outlives the program. Each write is decoded by
// itself, so the C library must hand over whole texts as they are: it writes an
// unbuffered stream a byte at a time, splitting letters, and in text mode it may pass
// each byte on as a character of its own locale (wine's does). Buffered, the streams
// go out when they are flushed, at the latest when the program ends; a line feed
// alone starts a new line on a console all the same.
void useUtf8Console() {
    bool anyConsole = false;
    for (const auto& [stream, file] :
         {std::pair{STD_OUTPUT_HANDLE, stdout}, std::pair{STD_ERROR_HANDLE, stderr}}) {
        if (isConsole(stream)) {
            _setmode(_fileno(file), _O_BINARY);
            std::setvbuf(file, nullptr, _IOFBF, consoleBufferSize);
            anyConsole = true;
        }
    }
    if (!anyConsole) {
        return;
    }
    consoleCodePage = GetConsoleOutputCP();
    if (consoleCodePage != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
        std::atexit(restoreConsoleCodePage);
    }
}

} // namespace dorvek::tools
