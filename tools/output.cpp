#include "output.h"

#include "file_replacement.h"
#include "standard_streams.h"
#include "write_failure_reason.h"

#include <cerrno>
#include <utility>

namespace dorvek::tools {

Output::Output(std::FILE* stream, std::string target)
    : stream_(stream), target_(std::move(target)) {}

Output::Output(Output&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)), file_(std::move(other.file_)),
      target_(std::move(other.target_)) {}

Output::~Output() = default;

Output Output::standardOutput() {
    Output output(stdout, "standart çıktıya");
    // A closed standard output is held on the null device, where writes would succeed.
    if (standardOutputWasClosed()) {
        output.fail(EBADF);
    }
    return output;
}

Output Output::file(const char* path) {
    if (std::string_view(path) == "-") {
        useBinaryStandardOutput();
        return standardOutput();
    }
    Output output(nullptr, std::string(path) + " dosyasına");
    output.file_ = std::make_unique<FileReplacement>(path);
    if (const int error = output.file_->start(); error != 0) {
        output.fail(error);
    }
    return output;
}

void Output::write(std::string_view bytes) {
    if (file_) {
        if (const int error = file_->write(bytes); error != 0) {
            fail(error);
        }
        return;
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        fail(errno);
    }
}

void Output::finish() {
    if (file_) {
        if (const int error = file_->commit(); error != 0) {
            fail(error);
        }
        return;
    }
    errno = 0;
    if (std::fflush(stream_) != 0 || std::ferror(stream_) != 0) {
        fail(errno);
    }
    // Standard output is closed too: only the close reports some failures.
    std::FILE* stream = std::exchange(stream_, nullptr);
    errno = 0;
    if (std::fclose(stream) != 0) {
        fail(errno);
    }
}

void Output::fail(int errorNumber) const {
    throw WriteFailure(target_ + " yazılamadı: " + writeFailureReason(errorNumber));
}

} // namespace dorvek::tools
