#!/usr/bin/env bash
# fetch-shipped-packages.sh
# Unpacks the Debian packages whose files the Windows build ships beside the programs
# (the stand-in faces, Qt's Turkish texts, their licences) and prints the folder they
# are unpacked in, a root with their usr/ inside. The packages are pinned below, each
# by its checksum, whatever this machine runs: Debian 13's own faces are Liberation
# 2, whose glyphs differ from those the window was drawn and tested with, and its
# Qt texts are Qt 6.8's, not those of the Qt built for Windows. Cached under
# ${XDG_CACHE_HOME:-~/.cache}/dorvek/.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../lib/common.sh
source "$here/../lib/common.sh"
# shellcheck source=debian-pool.sh
source "$here/debian-pool.sh"

# Source package, file in its pool folder, SHA-256: Debian 12's, as the pinned Qt is.
packages=(
    "fonts-liberation fonts-liberation_1.07.4-11_all.deb efd381517f958b01969343634ffcbdd60056be7779af84c6f53a005090430204"
    "qt6-translations qt6-translations-l10n_6.4.2-1_all.deb 00e182aa8595fbdeb588bb28cb6e0e60e1f058c034a12bc96b98da370c2b9e3d"
    "qt6-base libqt6core6_6.4.2+dfsg-10_amd64.deb 2849e8e686c3f7a1b60ad30373b64d6be33003f4b80953eacf331901c20beeb7"
)

key=$(printf '%s\n' "${packages[@]}" | sha256sum | cut -c 1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/dorvek/shipped-packages-$key
if [ -f "$cache/complete" ]; then
    echo "$cache/root"
    exit 0
fi

rm -rf "$cache"
mkdir -p "$cache/download" "$cache/root"
for package in "${packages[@]}"; do
    read -r source_package file sha256 <<<"$package"
    pool=$(download_from_pool "$source_package" "$file" "$cache/download" "$sha256")
    echo "fetch-shipped-packages: $file from $pool" >&2
    dpkg-deb -x "$cache/download/$file" "$cache/root" || stop "could not unpack $file"
done
rm -rf "$cache/download"
printf '%s\n' "${packages[@]}" >"$cache/complete"
echo "$cache/root"
