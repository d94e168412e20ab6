// Preloaded into dorvek-calc by the tests (LD_PRELOAD), to catch a save in the middle:
// the first write() of more than one byte to a regular file in the folder named by
// DORVEK_TEST_PAUSE_IN writes half the bytes, then stops the process with SIGSTOP.
// The test looks at the folder and the process's descriptors, sends its signal, and
// lets it go on with SIGCONT.

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Write = ssize_t (*)(int, const void*, size_t);

bool isInWatchedFolder(int descriptor) {
    const char* folder = std::getenv("DORVEK_TEST_PAUSE_IN");
    struct stat status = {};
    if (folder == nullptr || fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    char target[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(descriptor);
    const ssize_t length = readlink(link.c_str(), target, sizeof target - 1);
    if (length <= 0) {
        return false;
    }
    const std::string path(target, static_cast<std::size_t>(length));
    return path.starts_with(std::string(folder) + '/');
}

} // namespace

extern "C" ssize_t write(int descriptor, const void* bytes, size_t count) {
    static const Write next = reinterpret_cast<Write>(dlsym(RTLD_NEXT, "write"));
    static bool paused = false;
    if (paused || count < 2) {
        return next(descriptor, bytes, count);
    }
    const int savedErrno = errno;
    const bool watched = isInWatchedFolder(descriptor);
    errno = savedErrno;
    if (!watched) {
        return next(descriptor, bytes, count);
    }
    paused = true;
    const ssize_t written = next(descriptor, bytes, count / 2);
    raise(SIGSTOP);
    return written; // a short write: the caller writes the rest, as it must
}
