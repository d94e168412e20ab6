#!/usr/bin/env bash
# build-test-libraries.sh
# Builds the libraries the tests link for 64-bit Windows, GoogleTest from the source
# Debian ships in /usr/src/googletest and libUEMF from its Debian source package, and
# prints the prefix they are installed in. Cached like Qt, under
# ${XDG_CACHE_HOME:-~/.cache}/dorvek/, keyed by their versions and the compiler.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/mingw-w64-x86_64.cmake

# shellcheck source=../lib/common.sh
source "$here/../lib/common.sh"

gtest_version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null) ||
    stop "googletest is not installed"
uemf_version=$(dpkg-query -W -f='${source:Version}' libuemf-dev 2>/dev/null) ||
    stop "libuemf-dev is not installed"
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
key=$(printf '%s\n' "$gtest_version" "$uemf_version" "$compiler" |
    cat - "$toolchain" "$0" "$here/iconv-stand-in/iconv.h" | sha256sum | cut -c 1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/dorvek/test-libraries-mingw-$key
prefix=$cache/install

if [ -f "$cache/complete" ]; then
    echo "$prefix"
    exit 0
fi

rm -rf "$cache"
work=$cache/work
mkdir -p "$work" "$prefix/lib" "$prefix/include"
echo "build-test-libraries: GoogleTest $gtest_version and libUEMF $uemf_version for Windows" >&2

cmake -S /usr/src/googletest -B "$work/googletest" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_INSTALL_PREFIX="$prefix" >"$work/googletest.log" 2>&1 ||
    stop "configuring GoogleTest failed; see $work/googletest.log"
cmake --build "$work/googletest" --parallel "$(nproc)" >>"$work/googletest.log" 2>&1 ||
    stop "building GoogleTest failed; see $work/googletest.log"
cmake --install "$work/googletest" >>"$work/googletest.log" 2>&1 || stop "installing GoogleTest failed"

# Only the library, static, from the same sources as Debian's.
"$here/fetch-debian-source.sh" libuemf "$uemf_version" "$work/libuemf"
objects=()
for source in uemf uemf_print uemf_endian uemf_safe uemf_utf uwmf uwmf_print uwmf_endian upmf upmf_print; do
    x86_64-w64-mingw32-gcc-posix -std=c99 -O2 -w -I "$here/iconv-stand-in" \
        -c "$work/libuemf/$source.c" -o "$work/libuemf/$source.o" ||
        stop "compiling libUEMF's $source.c failed"
    objects+=("$work/libuemf/$source.o")
done
x86_64-w64-mingw32-ar rcs "$prefix/lib/libuemf.a" "${objects[@]}"
cp "$work/libuemf"/*.h "$prefix/include/"

rm -rf "$work"
echo "GoogleTest $gtest_version, libUEMF $uemf_version, $compiler" >"$cache/complete"
echo "$prefix"
