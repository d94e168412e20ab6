#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace dorvek::test {

// Sets LC_ALL for the life of the object and puts back what was there.
class ScopedLocale {
public:
    explicit ScopedLocale(const char* name) {
        if (const char* previous = std::getenv("LC_ALL")) {
            previous_ = previous;
        }
        setenv("LC_ALL", name, 1);
    }
    ~ScopedLocale() {
        if (previous_) {
            setenv("LC_ALL", previous_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    std::optional<std::string> previous_;
};

} // namespace dorvek::test
