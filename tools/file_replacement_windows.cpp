#include "file_replacement.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <windows.h>

namespace dorvek::tools {
namespace {

// The new file's name while it exists, for the console's handler, which Windows runs
// on a thread of its own; the lock keeps it from reading a name being changed.
std::mutex unfinishedFileLock;
const wchar_t* unfinishedFile = nullptr;

// Ctrl+C, Ctrl+Break, a closed console, logoff or shutdown. The new file is open for
// deletion by others, so it goes when the program's handle closes; the default handler
// that runs next ends the program as it would have without the save.
BOOL WINAPI removeUnfinishedFile(DWORD) {
    const std::lock_guard lock(unfinishedFileLock);
    if (unfinishedFile != nullptr) {
        DeleteFileW(unfinishedFile);
    }
    return FALSE;
}

// The C library's numbers, which the messages know, for Windows' own.
int errorNumberOf(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
        return ENOENT;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
        return EINVAL;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return EPIPE;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    default:
        return EIO;
    }
}

int lastErrorNumber() {
    return errorNumberOf(GetLastError());
}

// The name as the system's wide characters. Command-line arguments arrive in the
// process's code page, which the manifest makes UTF-8, and fopen() reads a name in the
// same one: converted from it, the name is the one the user typed.
bool toWide(const std::string& bytes, std::wstring& wide) {
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length <= 0) {
        return false;
    }
    wide.resize(static_cast<std::size_t>(length));
    return MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                               length) == length;
}

// The part of a path up to and including its last separator or drive colon, or nothing.
std::wstring folderOf(const std::wstring& path) {
    const std::size_t end = path.find_last_of(L"\\/:");
    return end == std::wstring::npos ? std::wstring() : path.substr(0, end + 1);
}

std::wstring newFileName(const std::wstring& folder) {
    static std::uint64_t count = 0;
    LARGE_INTEGER now = {};
    QueryPerformanceCounter(&now);
    std::uint64_t mix = static_cast<std::uint64_t>(now.QuadPart) ^
                        (static_cast<std::uint64_t>(GetCurrentProcessId()) << 32) ^
                        (++count * 0x9E3779B97F4A7C15U);
    std::wstring name = folder + L"dorvek-calc-";
    constexpr std::wstring_view letters = L"abcdefghijklmnopqrstuvwxyz0123456789";
    for (int i = 0; i < 8; ++i) {
        name.push_back(letters[mix % letters.size()]);
        mix /= letters.size();
    }
    return name + L".tmp";
}

// NUL, CON, a pipe: something there that is not a file on a disk.
bool namesSomethingElseThanAFile(const std::wstring& path) {
    const HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool other = GetFileType(handle) != FILE_TYPE_DISK;
    CloseHandle(handle);
    return other;
}

} // namespace

struct FileReplacement::State {
    std::string path;
    std::wstring finalPath;
    std::wstring newFilePath; // while the new file exists under its own name
    HANDLE handle = INVALID_HANDLE_VALUE;
    bool inPlace = false;
    bool handlerInstalled = false;

    void forgetNewFile() {
        const std::lock_guard lock(unfinishedFileLock);
        unfinishedFile = nullptr;
        newFilePath.clear();
    }
};

FileReplacement::FileReplacement(const char* path) : state_(std::make_unique<State>()) {
    state_->path = path;
}

FileReplacement::~FileReplacement() {
    State& s = *state_;
    if (s.handle != INVALID_HANDLE_VALUE) {
        CloseHandle(s.handle);
    }
    if (!s.newFilePath.empty()) {
        DeleteFileW(s.newFilePath.c_str());
        s.forgetNewFile();
    }
    if (s.handlerInstalled) {
        SetConsoleCtrlHandler(removeUnfinishedFile, FALSE);
    }
}

int FileReplacement::start() {
    State& s = *state_;
    if (!toWide(s.path, s.finalPath)) {
        return EINVAL;
    }
    const DWORD attributes = GetFileAttributesW(s.finalPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return EISDIR;
    }
    if (namesSomethingElseThanAFile(s.finalPath)) {
        s.inPlace = true;
        s.handle = CreateFileW(s.finalPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        return s.handle != INVALID_HANDLE_VALUE ? 0 : lastErrorNumber();
    }
    s.handlerInstalled = SetConsoleCtrlHandler(removeUnfinishedFile, TRUE) != 0;
    const std::wstring folder = folderOf(s.finalPath);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = newFileName(folder);
        const std::lock_guard lock(unfinishedFileLock);
        s.handle = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (s.handle != INVALID_HANDLE_VALUE) {
            s.newFilePath = name;
            unfinishedFile = s.newFilePath.c_str();
            return 0;
        }
        if (const DWORD error = GetLastError(); error != ERROR_FILE_EXISTS) {
            return errorNumberOf(error);
        }
    }
    return EEXIST;
}

int FileReplacement::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1U << 30));
        DWORD written = 0;
        if (!WriteFile(state_->handle, bytes.data(), chunk, &written, nullptr)) {
            return lastErrorNumber();
        }
        bytes.remove_prefix(written);
    }
    return 0;
}

int FileReplacement::commit() {
    State& s = *state_;
    if (!s.inPlace && !FlushFileBuffers(s.handle)) {
        return lastErrorNumber();
    }
    const HANDLE handle = std::exchange(s.handle, INVALID_HANDLE_VALUE);
    if (!CloseHandle(handle)) {
        return lastErrorNumber();
    }
    if (s.inPlace) {
        return 0;
    }
    // Atomic on one volume; write-through returns only once the move is on the disk. The
    // handler must not see the new file's name after the move, when another file may
    // take it.
    const std::lock_guard lock(unfinishedFileLock);
    if (!MoveFileExW(s.newFilePath.c_str(), s.finalPath.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return lastErrorNumber();
    }
    unfinishedFile = nullptr;
    s.newFilePath.clear();
    return 0;
}

} // namespace dorvek::tools
