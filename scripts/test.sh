#!/usr/bin/env bash
# Sets up, builds and runs every test, twice: a g++ build with warnings as errors,
# whose Debian package is then checked (scripts/check-package.sh); and a clang build
# with AddressSanitizer and UndefinedBehaviorSanitizer, in which the fuzzers also run
# for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-dependencies.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDORVEK_WARNINGS_AS_ERRORS=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
# The Debian package, checked without changing what this machine has installed.
scripts/check-package.sh build

# fontconfig and D-Bus keep caches for the life of the process; the suppressions name
# the functions that fill them. Those libraries keep no frame pointers, so only the slow
# unwinder follows an allocation's stack up to such a function.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:fast_unwind_on_malloc=0
export LSAN_OPTIONS=suppressions=$PWD/tests/leak_suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DDORVEK_SANITIZE=ON -DDORVEK_FUZZ=ON \
    -DDORVEK_WARNINGS_AS_ERRORS=ON
cmake --build build-sanitize -j "$jobs"
ctest --test-dir build-sanitize --output-on-failure -j "$jobs"
