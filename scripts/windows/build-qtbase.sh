#!/usr/bin/env bash
# build-qtbase.sh
# Builds Qt's qtbase for 64-bit Windows with mingw-w64, from the source package of the
# very Qt this machine's host tools (moc, rcc, uic) come from, and prints the prefix it
# is installed in. The build is cached under ${XDG_CACHE_HOME:-~/.cache}/dorvek/, keyed
# by the Qt version, the configure options and the compiler, and reused from there; an
# interrupted build resumes. The prefix stays where it was built: Qt's generated
# toolchain file records absolute paths.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=../lib/common.sh
source "$here/../lib/common.sh"

version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev-tools 2>/dev/null) ||
    stop "qt6-base-dev-tools is not installed"
[ "$(dpkg-query -W -f='${source:Package}' qt6-base-dev-tools)" = qt6-base ] ||
    stop "qt6-base-dev-tools is not built from qt6-base here"

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

# Qt's own Turkish texts come from Debian's qt6-translations-l10n, whatever the
# platform, and go where this Qt looks for them, for the tests.
add_translation() {
    mkdir -p "$prefix/translations"
    cp -u /usr/share/qt6/translations/qtbase_tr.qm "$prefix/translations/" ||
        stop "no /usr/share/qt6/translations/qtbase_tr.qm (package qt6-translations-l10n)"
}

if [ -f "$cache/complete" ]; then
    echo "build-qtbase: using the cached Qt $version in $cache" >&2
    add_translation
    echo "$prefix"
    exit 0
fi

work=$cache/work
mkdir -p "$work"
cp "$here/../../cmake/mingw-w64-x86_64.cmake" "$cache/toolchain.cmake"
if [ ! -f "$work/source/configure" ]; then
    "$here/fetch-debian-source.sh" qt6-base "$version" "$work/source"
fi

started=$(date +%s)
echo "build-qtbase: building Qt $version for Windows in $work (about 20 minutes on 2 cores)" >&2
if [ ! -f "$work/build/build.ninja" ]; then
    rm -rf "$work/build"
    mkdir -p "$work/build"
    (cd "$work/build" && "$work/source/configure" -prefix "$prefix" "${options[@]}" \
        -qt-host-path /usr -- \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_TOOLCHAIN_FILE="$cache/toolchain.cmake") >"$work/configure.log" 2>&1 ||
        stop "configure failed; see $work/configure.log"
fi
cmake --build "$work/build" --parallel "$(nproc)" >"$work/build.log" 2>&1 ||
    stop "the build failed; see $work/build.log"
cmake --install "$work/build" >"$work/install.log" 2>&1 || stop "install failed; see $work/install.log"
finished=$(date +%s)
add_translation

{
    echo "Qt $version for x86_64-w64-mingw32, $compiler"
    echo "configure options: ${options[*]}"
    echo "built in $((finished - started)) s; installed $(du -sh "$prefix" | cut -f 1)"
} >"$cache/complete"
rm -rf "$work"
echo "$prefix"
