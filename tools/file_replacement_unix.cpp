#include "file_replacement.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <pthread.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace dorvek::tools {
namespace {

// The new file's name while it exists, for the signal handlers; null otherwise. A
// lock-free atomic is one of the few things a handler may read.
std::atomic<const char*> unfinishedFile{nullptr};
static_assert(std::atomic<const char*>::is_always_lock_free);

// What ends a program by default while it writes: Ctrl+C and Ctrl+\, kill, a closed
// terminal, a reader gone.
constexpr std::array endingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE};

// Async-signal-safe calls only. SA_RESETHAND has put back the default action: the
// signal raised again ends the program once this returns, so whoever waits for it
// still sees "killed by SIGINT", not an exit status.
void removeUnfinishedFileAndEnd(int signalNumber) {
    if (const char* path = unfinishedFile.load()) {
        unlink(path);
    }
    raise(signalNumber);
}

// Keeps the ending signals waiting while the new file's existence and unfinishedFile
// change together: a handler never removes a file it does not know of, nor one that
// has already taken the name.
class SignalsHeld {
public:
    SignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (const int signalNumber : endingSignals) {
            sigaddset(&held, signalNumber);
        }
        pthread_sigmask(SIG_BLOCK, &held, &before_);
    }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

private:
    sigset_t before_;
};

// The handlers, for as long as a new file may exist; what was there before comes back
// afterwards. A signal the caller had ignored (nohup, a background job's Ctrl+C) stays
// ignored. SIGXFSZ is ignored meanwhile, so that a file size limit fails the write with
// EFBIG, which the user is told of, instead of ending the program.
class SignalHandlers {
public:
    SignalHandlers() {
        struct sigaction handler = {};
        handler.sa_handler = removeUnfinishedFileAndEnd;
        handler.sa_flags = SA_RESETHAND;
        sigemptyset(&handler.sa_mask);
        for (std::size_t i = 0; i < endingSignals.size(); ++i) {
            sigaction(endingSignals[i], nullptr, &before_[i]);
            if (before_[i].sa_handler != SIG_IGN) {
                sigaction(endingSignals[i], &handler, nullptr);
            }
        }
        struct sigaction ignore = {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        sigaction(SIGXFSZ, &ignore, &fileSizeBefore_);
    }
    SignalHandlers(const SignalHandlers&) = delete;
    SignalHandlers& operator=(const SignalHandlers&) = delete;
    ~SignalHandlers() {
        for (std::size_t i = 0; i < endingSignals.size(); ++i) {
            sigaction(endingSignals[i], &before_[i], nullptr);
        }
        sigaction(SIGXFSZ, &fileSizeBefore_, nullptr);
    }

private:
    std::array<struct sigaction, endingSignals.size()> before_;
    struct sigaction fileSizeBefore_;
};

// The part of a path up to and including its last '/', or nothing.
std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A name for the new file: hidden, and new enough that O_EXCL rarely refuses it.
std::string newFileName(const std::string& folder) {
    static std::uint64_t count = 0;
    timespec now = {};
    clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t mix = (static_cast<std::uint64_t>(now.tv_nsec) << 20) ^
                        static_cast<std::uint64_t>(getpid()) ^ (++count * 0x9E3779B97F4A7C15U);
    std::string name = folder + ".dorvek-calc-";
    constexpr std::string_view letters = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < 8; ++i) {
        name.push_back(letters[mix % letters.size()]);
        mix /= letters.size();
    }
    return name;
}

// Makes a finished rename survive a crash. Not every file system can sync a folder, and
// the file is already in place: a failure here changes nothing the user can act on.
void syncFolder(const std::string& folder) {
    const int descriptor =
        open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

} // namespace

struct FileReplacement::State {
    std::string path;        // as the user gave it
    std::string finalPath;   // where the new file goes: a link's target for a link
    std::string newFilePath; // while the new file exists under its own name
    int descriptor = -1;
    bool inPlace = false;
    std::unique_ptr<SignalHandlers> handlers;

    int createNewFile();
    int keepPermissions(const struct stat& existing) const;
    void removeNewFile();
};

int FileReplacement::State::createNewFile() {
    const std::string folder = folderOf(finalPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = newFileName(folder);
        int error = 0;
        {
            const SignalsHeld held;
            // 0666 less the umask, as fopen() gives a new file.
            descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (descriptor >= 0) {
                newFilePath = name;
                unfinishedFile.store(newFilePath.c_str());
            } else {
                error = errno;
            }
        }
        if (error != EEXIST) {
            return error;
        }
    }
    return EEXIST;
}

int FileReplacement::State::keepPermissions(const struct stat& existing) const {
    struct stat created = {};
    if (fstat(descriptor, &created) != 0) {
        return errno;
    }
    mode_t mode = existing.st_mode & 0777;
    if (created.st_uid != existing.st_uid || created.st_gid != existing.st_gid) {
        // Only root may give a file away, and only a member may give it a group. Under
        // another owner or group, the old permissions could let in others than before.
        if (fchown(descriptor, existing.st_uid, existing.st_gid) != 0) {
            mode &= 0700;
        }
    }
    return fchmod(descriptor, mode) == 0 ? 0 : errno;
}

void FileReplacement::State::removeNewFile() {
    const SignalsHeld held;
    unlink(newFilePath.c_str());
    unfinishedFile.store(nullptr);
    newFilePath.clear();
}

FileReplacement::FileReplacement(const char* path) : state_(std::make_unique<State>()) {
    state_->path = path;
}

FileReplacement::~FileReplacement() {
    if (state_->descriptor >= 0) {
        close(state_->descriptor);
    }
    if (!state_->newFilePath.empty()) {
        state_->removeNewFile();
    }
}

int FileReplacement::start() {
    State& s = *state_;
    struct stat existing = {};
    const bool exists = stat(s.path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) {
        return errno;
    }
    if (exists && S_ISDIR(existing.st_mode)) {
        return EISDIR;
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        s.inPlace = true;
        s.handlers = std::make_unique<SignalHandlers>();
        s.descriptor = open(s.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        return s.descriptor >= 0 ? 0 : errno;
    }
    s.finalPath = s.path;
    if (exists) {
        // What fopen() would refuse, a rename must not do behind the user's back.
        if (faccessat(AT_FDCWD, s.path.c_str(), W_OK, AT_EACCESS) != 0) {
            return errno;
        }
        struct stat link = {};
        if (lstat(s.path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
            char* target = realpath(s.path.c_str(), nullptr);
            if (target == nullptr) {
                return errno;
            }
            s.finalPath = target;
            std::free(target);
        }
    }
    s.handlers = std::make_unique<SignalHandlers>();
    if (const int error = s.createNewFile(); error != 0) {
        return error;
    }
    return exists ? s.keepPermissions(existing) : 0;
}

int FileReplacement::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(state_->descriptor, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

int FileReplacement::commit() {
    State& s = *state_;
    // A device or a pipe has nothing to sync; a disk file's last blocks may fail only
    // here, on a full disk or a network file system.
    if (!s.inPlace && fsync(s.descriptor) != 0) {
        return errno;
    }
    const int descriptor = std::exchange(s.descriptor, -1);
    if (close(descriptor) != 0) {
        return errno;
    }
    if (s.inPlace) {
        return 0;
    }
    {
        const SignalsHeld held;
        if (rename(s.newFilePath.c_str(), s.finalPath.c_str()) != 0) {
            return errno;
        }
        unfinishedFile.store(nullptr);
        s.newFilePath.clear();
    }
    syncFolder(folderOf(s.finalPath));
    return 0;
}

} // namespace dorvek::tools
