#include "scoped_environment_variable.h"
#include "scoped_locale.h"

namespace dorvek::test {

struct ScopedLocale::Previous {
    explicit Previous(const char* name) : lcAll("LC_ALL", name) {}
    ScopedEnvironmentVariable lcAll;
};

ScopedLocale::ScopedLocale(const char* name) : previous_(std::make_unique<Previous>(name)) {}

ScopedLocale::~ScopedLocale() = default;

} // namespace dorvek::test
