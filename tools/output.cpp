#include "output.h"

#include "standard_streams.h"
#include "write_failure_reason.h"

#include <cerrno>
#include <utility>

namespace dorvek::tools {

Output::Output(std::FILE* stream, std::string target, bool ownsStream)
    : stream_(stream), target_(std::move(target)), ownsStream_(ownsStream) {}

Output::Output(Output&& other) noexcept
    : stream_(std::exchange(other.stream_, nullptr)), target_(std::move(other.target_)),
      ownsStream_(other.ownsStream_) {}

Output::~Output() {
    if (stream_ != nullptr && ownsStream_) {
        std::fclose(stream_);
    }
}

Output Output::standardOutput() {
    Output output(stdout, "standart çıktıya", false);
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
    errno = 0;
    std::FILE* stream = std::fopen(path, "wb");
    Output output(stream, std::string(path) + " dosyasına", true);
    if (stream == nullptr) {
        output.fail(errno);
    }
    return output;
}

void Output::write(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_) != bytes.size()) {
        fail(errno);
    }
}

void Output::finish() {
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
