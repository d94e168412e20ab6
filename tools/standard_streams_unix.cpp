#include "standard_streams.h"

#include <cerrno>
#include <fcntl.h>
#include <initializer_list>
#include <unistd.h>

namespace dorvek::tools {
namespace {

bool outputWasClosed = false;

bool isClosed(int descriptor) {
    return fcntl(descriptor, F_GETFD) == -1 && errno == EBADF;
}

} // namespace

void holdClosedStandardStreams() {
    outputWasClosed = isClosed(STDOUT_FILENO);
    // Each is put at its own number: open() takes the lowest free one, which with
    // standard error closed beside a lower stream is not standard error's.
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (!isClosed(descriptor)) {
            continue;
        }
        const int nullDevice = open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (nullDevice >= 0 && nullDevice != descriptor) {
            dup2(nullDevice, descriptor);
            close(nullDevice);
        }
    }
}

bool standardOutputWasClosed() {
    return outputWasClosed;
}

void useBinaryStandardOutput() {} // no text mode here

void useUtf8Console() {} // a terminal decodes by the user's locale, UTF-8 here

} // namespace dorvek::tools
