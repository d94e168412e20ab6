#!/usr/bin/env bash
# Sets up, builds and runs every test, twice: the Debian package, built with g++ from
# its source package as Debian builds it, warnings as errors, with the whole suite in
# its build, then checked as installed files (scripts/check-package.sh); and a clang
# build of the checkout with AddressSanitizer and UndefinedBehaviorSanitizer, warnings
# as errors, in which the fuzzers also run for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# dpkg-buildflags appends DEB_CXXFLAGS_APPEND to Debian's own flags.
DEB_CXXFLAGS_APPEND=-Werror DEB_JOBS=$jobs scripts/check-package.sh

# fontconfig and D-Bus keep caches for the life of the process; the suppressions name
# the functions that fill them. Those libraries keep no frame pointers, so only the slow
# unwinder follows an allocation's stack up to such a function.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$PWD/tests/leak_suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --preset sanitize
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
