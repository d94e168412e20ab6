#!/usr/bin/env bash
# Installs whatever the build, the tests, the benchmarks and the calculator need and
# this machine lacks, from the packages of the Debian release it runs on (12 or 13).
# Package names come from what apt offers here, not from the release's name. Every
# package is checked before any is installed, so a missing one leaves the machine
# as it was. Safe to run again: it installs nothing that is already there. With
# --windows it adds what building for Windows and testing under wine take; with
# --debian-chroot what building and testing the Debian package in clean chroots takes.
set -euo pipefail
# shellcheck source=lib/common.sh
source "$(dirname "$0")/lib/common.sh"

packages=(
    # building; build-essential, which dpkg-buildpackage requires of every build
    cmake ninja-build g++ clang pkg-config clang-format git qt6-base-dev libgl-dev
    build-essential
    # testing and measuring; llvm for the sanitizers' symbolizer, without which the
    # leak suppressions, which name functions, match nothing
    libgtest-dev libgmock-dev libbenchmark-dev libuemf-dev valgrind time python3 llvm
    # the shell scripts' linter, run as a test
    shellcheck
    xvfb xauth xdotool x11-utils openbox libx11-dev imagemagick
    # the sources of a legacy Turkish locale that a window test compiles for itself
    locales
    # a screen reader's view: the accessibility bus and its Python bindings
    at-spi2-core dbus-daemon dbus-bin python3-pyatspi
    # the faces that stand in for the window's and the picture's fonts, Qt's own
    # Turkish texts
    fonts-liberation fonts-dejavu-core qt6-translations-l10n
    # packaging and its checks
    dpkg-dev debhelper file desktop-file-utils appstream appstream-compose man-db lintian
    devscripts
    librsvg2-bin diffoscope-minimal
    # the image loader through which appstreamcli compose reads the scalable icon
    librsvg2-common
)
if [ "${1:-}" = --windows ]; then
    packages+=(
        # the cross compiler in its POSIX threads flavour; Qt's host tools (moc, rcc,
        # uic), used where they are of the version built for Windows; what fetching
        # and building Qt's source takes; GoogleTest's source
        g++-mingw-w64-x86-64-posix qt6-base-dev-tools curl perl googletest
        # the installer; for the tests, wine, a reader of the version record and of
        # the clipboard, the sources of the locales they run in
        nsis wine wine64 python3-pefile xclip locales
    )
elif [ "${1:-}" = --debian-chroot ]; then
    packages+=(
        # Debian's own way to build in a clean chroot and to test the installed package:
        # chroots made from tarballs, entered as a user through user namespaces
        sbuild mmdebstrap autopkgtest uidmap
    )
elif [ $# -gt 0 ]; then
    echo "usage: $0 [--windows|--debian-chroot]" >&2
    exit 2
fi

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    stop "no apt-get or dpkg here. This project is built on Debian 12 or 13; on another" \
        "system, install the equivalents of: ${packages[*]} and the clang runtime (sanitizers)."
fi
# shellcheck source=/dev/null # the release's own file, not ours to check
release=$( (. /etc/os-release && echo "${PRETTY_NAME:-unknown}") 2>/dev/null || echo unknown)
echo "install-dependencies: found $release"

is_installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# The version apt would install, or nothing where apt offers none.
candidate() {
    apt-cache policy "$1" 2>/dev/null | awk '$1 == "Candidate:" && $2 != "(none)" {print $2}'
}

# The sanitizer runtimes ship apart from clang, in a package named after clang's major
# version: that of the clang installed here, or else of the clang apt would install.
clang_runtime_package() {
    local major=""
    if command -v clang >/dev/null; then
        major=$(clang -dumpversion | cut -d. -f1)
    else
        major=$(apt-cache depends clang 2>/dev/null |
            awk '$1 == "Depends:" && $2 ~ /^clang-[0-9]+$/ {sub(/^clang-/, "", $2); print $2; exit}')
    fi
    [ -n "$major" ] && echo "libclang-rt-$major-dev"
}

missing_packages() {
    local package
    for package in "$@"; do
        is_installed "$package" || echo "$package"
    done
}

runtime=$(clang_runtime_package || true)
mapfile -t missing < <(missing_packages "${packages[@]}" ${runtime:+"$runtime"})
if [ -n "$runtime" ] && [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "install-dependencies: updating apt's package lists"
as_root apt-get update -qq || stop "apt-get update failed; check the network and /etc/apt/sources.list*"
runtime=$(clang_runtime_package || true)
[ -n "$runtime" ] || stop "apt offers no clang package here, so no sanitizer runtime either;" \
    "add Debian's main archive for $release to apt's sources"
mapfile -t missing < <(missing_packages "${packages[@]}" "$runtime")

unavailable=()
for package in "${missing[@]}"; do
    [ -n "$(candidate "$package")" ] || unavailable+=("$package")
done
if [ ${#unavailable[@]} -gt 0 ]; then
    stop "apt on $release offers no ${unavailable[*]}; nothing was installed." \
        "This project is built on Debian 12 and 13 with their main archive in apt's sources."
fi

echo "install-dependencies: installing ${missing[*]}"
# A dry run first: a conflict stops here, before anything is unpacked.
as_root apt-get install -s -qq --no-install-recommends "${missing[@]}" >/dev/null ||
    stop "apt cannot install ${missing[*]} together here; nothing was installed"
as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
