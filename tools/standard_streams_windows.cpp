#include "standard_streams.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace dorvek::tools {
namespace {

bool outputWasClosed = false;

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

} // namespace dorvek::tools
