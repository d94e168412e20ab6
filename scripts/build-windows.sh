#!/usr/bin/env bash
# Builds Dorvek Olasılıklar for 64-bit Windows 10 and 11 on a Debian 12 or 13 machine,
# in one command, into build-windows/: the two programs, then in build-windows/dist/
# the portable zip and the installer, nothing else. Qt is built for Windows once, from
# the one qtbase source scripts/windows/build-qtbase.sh pins, and cached under
# ${XDG_CACHE_HOME:-~/.cache}/dorvek/. One commit built twice on one machine gives the
# same bytes (scripts/check-windows-reproducible.sh). With --tests the build tree
# holds the test programs too (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/common.sh
source scripts/lib/common.sh

tests=OFF
case "${1:-}" in
--tests) tests=ON ;;
"") ;;
*) stop_with_usage "[--tests]" ;;
esac

scripts/install-dependencies.sh --windows

# The linker and strip write this time, not the current one, into every program's and
# library's header; the zip and the installer keep it as every file's time.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
qt=$(nice -n 5 scripts/windows/build-qtbase.sh)
shipped=$(scripts/windows/fetch-shipped-packages.sh)
# Qt's own Turkish texts where this Qt looks for them, for the tests.
mkdir -p "$qt/translations"
cp -u "$shipped/usr/share/qt6/translations/qtbase_tr.qm" "$qt/translations/"

build="build-windows"
root=$PWD
# Test programs and build-time tools run under wine, with the DLLs of Qt and of the
# compiler's runtime on their path; the prefix is the build tree's own.
# Qt's offscreen platform, on which the tests draw, finds the stand-in faces the
# programs ship by QT_QPA_FONTDIR, which wine passes on as WINEQT_QPA_FONTDIR; the
# tests' locales are the build tree's own (scripts/windows/make-locales.sh).
runtime_directory() {
    dirname "$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name="$1")")"
}
wine_path="$qt/bin:$(runtime_directory libstdc++-6.dll):$(runtime_directory libwinpthread-1.dll)"
emulator=(env "WINEPREFIX=$root/$build/wine" "DORVEK_WINE_PATH=$wine_path"
    "WINEQT_QPA_FONTDIR=Z:$shipped/usr/share/fonts/truetype/liberation")

find_root=""
if [ "$tests" = ON ]; then
    find_root=$(nice -n 5 scripts/windows/build-test-libraries.sh)
    scripts/windows/make-locales.sh "$build/locales"
    emulator+=("LOCPATH=$root/$build/locales")
fi
emulator+=("$root/scripts/windows/wine-run.sh")

# The preset takes the Linux build's optimisation (-O2), the packages carry the programs
# stripped; what only this run knows, the test libraries and wine, is added here.
DORVEK_QT_PREFIX=$qt cmake --preset windows \
    -DCMAKE_FIND_ROOT_PATH="$find_root" -DBUILD_TESTING="$tests" \
    -DDORVEK_SHIPPED_PACKAGES="$shipped" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$(IFS=';' && echo "${emulator[*]}")"
nice -n 5 cmake --build "$build" -j "$(nproc)"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=dorvek-$version
stage=$build/stage/$name
rm -rf "$build/stage" "$build/dist"
mkdir -p "$build/dist"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
# The libraries shipped beside them carry debug sections of their own, Debian's
# compiler runtime most of all.
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +
find "$stage" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +

# The zip holds one folder, as a user unpacks it.
scripts/windows/write-zip.py "$build/dist/$name-windows-x64.zip" "$stage" "$SOURCE_DATE_EPOCH"

# The installer's file lists, from the staged folder: File lines by folder, and the
# uninstaller's Delete lines and RMDir lines, deepest folder first.
lists=$build/installer
mkdir -p "$lists"
(
    cd "$stage"
    find . -type d | LC_ALL=C sort | while read -r directory; do
        relative=${directory#.}
        echo "SetOutPath \"\$INSTDIR${relative//\//\\}\""
        find "$directory" -maxdepth 1 -type f | LC_ALL=C sort | while read -r file; do
            echo "File \"$root/$stage/${file#./}\""
        done
    done
) >"$lists/files.nsh"
(
    cd "$stage"
    find . -type f | LC_ALL=C sort | while read -r file; do
        relative=${file#./}
        echo "Delete \"\$INSTDIR\\${relative//\//\\}\""
    done
    find . -mindepth 1 -type d | LC_ALL=C sort -r | while read -r directory; do
        relative=${directory#./}
        echo "RMDir \"\$INSTDIR\\${relative//\//\\}\""
    done
) >"$lists/uninstall-files.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DOUTFILE="$root/$build/dist/$name-setup.exe" \
    -DFILES="$root/$lists/files.nsh" -DUNFILES="$root/$lists/uninstall-files.nsh" \
    -DSIZE_KB="$(du -sk "$stage" | cut -f 1)" "$build/packaging/windows/installer.nsi"

echo "build-windows: $(cd "$build/dist" && ls)"
