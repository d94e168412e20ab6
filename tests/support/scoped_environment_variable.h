#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace dorvek::test {

// Sets an environment variable, or unsets it for a null value, for the life of the
// object, and puts back what was there.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const char* value) : name_(name) {
        if (qEnvironmentVariableIsSet(name)) {
            previous_ = qgetenv(name);
        }
        set(value);
    }
    ~ScopedEnvironmentVariable() { set(previous_ ? previous_->constData() : nullptr); }
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    void set(const char* value) const {
        if (value != nullptr) {
            qputenv(name_.constData(), value);
        } else {
            qunsetenv(name_.constData());
        }
    }

    QByteArray name_;
    std::optional<QByteArray> previous_;
};

} // namespace dorvek::test
