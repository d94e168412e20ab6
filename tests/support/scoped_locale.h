#pragma once

#include <memory>

namespace dorvek::test {

// The user's number conventions set to those of a POSIX locale name ("tr_TR.UTF-8",
// "C") for the life of the object, where the platform keeps them: on Unix LC_ALL; on
// Windows the decimal symbol of the user's regional settings, as the control panel
// sets it. What was there before is put back.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name);
    ~ScopedLocale();
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    struct Previous;
    std::unique_ptr<Previous> previous_;
};

} // namespace dorvek::test
