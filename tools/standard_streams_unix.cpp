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
    // open() takes the lowest free number: each closed stream's own, in turn.
    for (const int descriptor : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (isClosed(descriptor)) {
            open("/dev/null", descriptor == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        }
    }
}

bool standardOutputWasClosed() {
    return outputWasClosed;
}

void useBinaryStandardOutput() {} // no text mode here

void useUtf8Console() {} // a terminal decodes by the user's locale, UTF-8 here

} // namespace dorvek::tools
