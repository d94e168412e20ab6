#pragma once

#include "host/runtime/error.h"

#include <gtest/gtest.h>
#include <optional>
#include <utility>

namespace dorvek::test {

// Expects call to raise the host's error of the given kind, and reports at the
// caller's line what it did instead: returned, or raised another kind. Returns the
// error raised, for a test that checks what else it carries.
//
//     expectError(host::ErrorKind::Overflow, [] { f(Value::ofDouble(38)); });
template <class Call>
std::optional<host::Error> expectError(host::ErrorKind kind, Call&& call,
                                       const char* file = __builtin_FILE(),
                                       int line = __builtin_LINE()) {
    const host::Error expected(kind);
    try {
        std::forward<Call>(call)();
    } catch (const host::Error& error) {
        if (error.kind() != kind) {
            ADD_FAILURE_AT(file, line) << "raised error " << error.number() << " (" << error.what()
                                       << "), expected " << expected.number();
        }
        return error;
    }
    ADD_FAILURE_AT(file, line) << "raised no error, expected " << expected.number();
    return std::nullopt;
}

// The same for a case that may expect no error at all: kind is then empty.
template <class Call>
void expectErrorOrNone(std::optional<host::ErrorKind> kind, Call&& call,
                       const char* file = __builtin_FILE(), int line = __builtin_LINE()) {
    if (kind) {
        expectError(*kind, std::forward<Call>(call), file, line);
        return;
    }
    try {
        std::forward<Call>(call)();
    } catch (const host::Error& error) {
        ADD_FAILURE_AT(file, line)
            << "raised error " << error.number() << " (" << error.what() << "), expected none";
    }
}

} // namespace dorvek::test
