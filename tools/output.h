#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace dorvek::tools {

// A write that did not reach its file or standard output: the message says, in
// Turkish, what could not be written and why.
class WriteFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class FileReplacement;

// Where dorvek-calc puts what it makes: standard output, or a file named by the very
// bytes the user gave, saved all or nothing (see FileReplacement). Every write is
// checked, and so are the last flush and the close, where a full disk or a lost
// connection often shows only then; a failure throws WriteFailure.
class Output {
public:
    static Output standardOutput();
    // "-" names standard output, as it does for most command-line tools.
    static Output file(const char* path);

    Output(Output&& other) noexcept;
    Output& operator=(Output&&) = delete;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output(); // closes, unchecked, an output that was not finished; a file keeps its
               // old bytes

    void write(std::string_view bytes);
    // Flushes and closes; after it returns, every byte has been handed to the system,
    // and a file holds them all under its name.
    void finish();

private:
    Output(std::FILE* stream, std::string target);
    [[noreturn]] void fail(int errorNumber) const;

    std::FILE* stream_ = nullptr;           // standard output
    std::unique_ptr<FileReplacement> file_; // or a file
    std::string target_; // for the message: "a.png dosyasına", "standart çıktıya"
};

} // namespace dorvek::tools
