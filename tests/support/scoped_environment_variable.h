#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace dorvek::test {

// Sets an environment variable, or unsets it for a null value, for the life of the
// object, and puts back what was there.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (const char* previous = std::getenv(name)) {
            previous_ = previous;
        }
        set(value);
    }
    ~ScopedEnvironmentVariable() { set(previous_ ? previous_->c_str() : nullptr); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    void set(const char* value) const {
        if (value != nullptr) {
            setenv(name_.c_str(), value, 1);
        } else {
            unsetenv(name_.c_str());
        }
    }

    std::string name_;
    std::optional<std::string> previous_;
};

// The user's locale, as LC_ALL, for the life of the object.
class ScopedLocale : public ScopedEnvironmentVariable {
public:
    explicit ScopedLocale(const char* name) : ScopedEnvironmentVariable("LC_ALL", name) {}
};

} // namespace dorvek::test
