#!/usr/bin/env bash
# build-qtbase.sh
# Builds Qt's qtbase for 64-bit Windows with mingw-w64 and prints the prefix it is
# installed in. Whatever the host, the source is the one pinned below, checked by its
# checksum, so that a Debian 12 and a Debian 13 machine build the same Qt with the same
# options. Its host tools (moc, rcc, uic) must be of the same Qt version: the host's
# own where they are, else built from the same source first. Both builds are cached
# under ${XDG_CACHE_HOME:-~/.cache}/dorvek/, keyed by the Qt version, the configure
# options and the compiler, and reused from there; an interrupted build resumes. The
# prefixes stay where they were built: Qt's generated toolchain file records absolute
# paths.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../lib/common.sh
source "$here/../lib/common.sh"

# Debian 12's qtbase: every test passes with it under wine, and Debian 12 machines
# (CI's among them) have its host tools already. Debian 13's own Qt is 6.8.
source_package=qt6-base
version=6.4.2+dfsg-10
dsc_sha256=1b4b5c8610a553d4211fa81e268b1a3b0a6339ae5444fdb7e60d7616da651970
upstream_version=${version%%+*}

# Only what the programs and their tests use. Debian's +dfsg source lacks the wintab
# headers (tablet events); without Direct2D, DirectWrite 3 must go too or qwindows.dll
# does not link.
options=(
    -release -shared -opensource -confirm-license -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-xml
    -no-feature-printsupport -no-feature-concurrent
    -no-feature-tabletevent -no-feature-direct2d -no-feature-directwrite3
    -qt-freetype -qt-harfbuzz -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre
)
compiler=$(x86_64-w64-mingw32-g++-posix --version | head -n 1)
key=$(printf '%s\n' "${options[@]}" "$compiler" | cat - "$here/../../cmake/mingw-w64-x86_64.cmake" |
    sha256sum | cut -c 1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/dorvek/qtbase-$version-mingw-$key
prefix=$cache/install

# The host tools for this Qt only, built for this machine: the modules they belong to,
# with nothing the tools do not need.
host_options=(
    -release -shared -opensource -confirm-license -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-xml
    -no-feature-printsupport -no-feature-concurrent -no-feature-vulkan
    -no-xcb -no-xkbcommon -no-fontconfig -no-glib -no-libudev -no-evdev -no-libinput
    -no-mtdev -no-tslib -no-zstd
    -qt-freetype -qt-harfbuzz -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre
)
host_compiler=$(g++ --version | head -n 1)
host_key=$(printf '%s\n' "${host_options[@]}" "$host_compiler" | sha256sum | cut -c 1-12)
host_cache=${XDG_CACHE_HOME:-$HOME/.cache}/dorvek/qtbase-$version-host-$host_key

# Unpacks the pinned source into DIRECTORY, unless an interrupted build left it there.
unpack_source() {
    [ -f "$1/configure" ] ||
        "$here/fetch-debian-source.sh" "$source_package" "$version" "$1" "$dsc_sha256"
}

# Configures, builds and installs the source in WORK/source into PREFIX with the
# configure arguments given, its logs in WORK, and notes the build in MARK.
build_and_install() {
    local work=$1 prefix=$2 mark=$3
    shift 3
    if [ ! -f "$work/build/build.ninja" ]; then
        rm -rf "$work/build"
        mkdir -p "$work/build"
        (cd "$work/build" && "$work/source/configure" -prefix "$prefix" "$@") \
            >"$work/configure.log" 2>&1 || stop "configure failed; see $work/configure.log"
    fi
    local started
    started=$(date +%s)
    cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
        stop "the build failed; see $work/build.log"
    cmake --install "$work/build" >"$work/install.log" 2>&1 ||
        stop "install failed; see $work/install.log"
    echo "built in $(($(date +%s) - started)) s; installed $(du -sh "$prefix" | cut -f 1)" >"$mark"
    rm -rf "$work"
}

if [ -f "$cache/complete" ]; then
    echo "build-qtbase: using the cached Qt $version in $cache" >&2
    echo "$prefix"
    exit 0
fi

# The host's own tools where they are of this Qt version: the moc of another version
# writes code that this Qt's headers refuse.
host_tools=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
host_tools=${host_tools#*:}
if [ "${host_tools%%+*}" = "$upstream_version" ]; then
    host=/usr
    host_cmake=/usr/lib/x86_64-linux-gnu/cmake
else
    host=$host_cache/install
    host_cmake=$host/lib/cmake
    if [ ! -f "$host_cache/complete" ]; then
        echo "build-qtbase: this machine's Qt tools are ${host_tools:-missing}, not" \
            "$upstream_version: building Qt $version's for it in $host_cache" \
            "(about 15 minutes on 2 cores)" >&2
        mkdir -p "$host_cache/work"
        unpack_source "$host_cache/work/source"
        build_and_install "$host_cache/work" "$host" "$host_cache/built" "${host_options[@]}"
        {
            echo "Qt $version for this machine, $host_compiler"
            echo "configure options: ${host_options[*]}"
            cat "$host_cache/built"
        } >"$host_cache/complete"
        rm -f "$host_cache/built"
    fi
fi

echo "build-qtbase: building Qt $version for Windows in $cache/work" \
    "(about 25 minutes on 2 cores)" >&2
mkdir -p "$cache/work"
cp "$here/../../cmake/mingw-w64-x86_64.cmake" "$cache/toolchain.cmake"
unpack_source "$cache/work/source"
build_and_install "$cache/work" "$prefix" "$cache/built" "${options[@]}" \
    -qt-host-path "$host" -- -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" \
    -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake"
{
    echo "Qt $version for x86_64-w64-mingw32, $compiler"
    echo "configure options: ${options[*]}"
    echo "host tools: $host"
    cat "$cache/built"
} >"$cache/complete"
rm -f "$cache/built"
echo "$prefix"
