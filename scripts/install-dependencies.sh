#!/usr/bin/env bash
# Installs, from Debian 12's packages, whatever the build, the tests and the
# calculator need and this machine lacks. Safe to run again: it installs nothing
# that is already there.
set -euo pipefail

packages=(
    # building
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config clang-format git
    qt6-base-dev libgl-dev
    # testing and measuring
    libgtest-dev libgmock-dev libbenchmark-dev libuemf-dev valgrind hyperfine time
    xvfb xauth xdotool x11-utils imagemagick libx11-dev
    # the faces that stand in for the window's and the picture's fonts
    fonts-liberation fonts-dejavu-core
    # packaging and its checks
    dpkg-dev file desktop-file-utils appstream man-db
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
