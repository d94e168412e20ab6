#pragma once

#include <memory>
#include <string_view>

namespace dorvek::tools {

// A file saved all or nothing: the bytes go to a new file beside the one named, which
// takes that name only once every byte is written, on the disk and closed. Until then
// the named file keeps its old bytes, and after any failure (an interrupting signal or
// Ctrl+C included) the new file is gone. Something other than a disk file at that
// name (a device such as /dev/null or NUL, a pipe) is written in place: it has no old
// bytes to keep.
//
// The name is used as the bytes given. Saving needs the right to write into the
// folder, and a file that may not be written is not replaced. On Unix an existing file
// keeps its permissions, and its owner and group where the system allows (otherwise
// only its owner's permissions are kept), and a symbolic link stays a link whose
// target is replaced; on Windows the new file takes the folder's permissions.
//
// Each step returns 0 or the C library's number for what went wrong (ENOSPC, EACCES,
// ...). One save at a time.
class FileReplacement {
public:
    explicit FileReplacement(const char* path);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement(); // removes the new file unless it took the name

    [[nodiscard]] int start();
    [[nodiscard]] int write(std::string_view bytes);
    // Puts the new file in the named one's place; after a failure nothing has changed.
    [[nodiscard]] int commit();

private:
    struct State; // what the platform holds while saving
    std::unique_ptr<State> state_;
};

} // namespace dorvek::tools
