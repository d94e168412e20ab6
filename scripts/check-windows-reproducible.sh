#!/usr/bin/env bash
# Builds the Windows zip and installer twice from one commit and checks that both are
# the same bytes: each build from its own clean clone, in folders of different names
# and depths, one after the other, under different time zones, umasks and locales,
# with the Qt for Windows that both share from the cache. It prints every file of the
# zip with its SHA-256 and compares them file by file, then the two zips and the two
# installers; on a difference it names what differs (all of it with diffoscope, where
# installed) and fails. Each build takes about as long as a build of the programs once
# Qt is cached. The test command does not run it.
#
#   scripts/check-windows-reproducible.sh [COMMIT]   (default: HEAD)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/common.sh
source scripts/lib/common.sh

commit=$(git rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-windows-reproducible.XXXXXX")
remove_on_exit "$work"
echo "commit $commit"

# Builds from a clean clone at FOLDER; the zip and the installer go to $work/NAME/, the
# zip's files unpacked in $work/NAME/files/.
build_windows() {
    local name=$1 folder=$2
    echo "$name: building in $folder, starting $(date -u +%T)"
    git -c init.defaultBranch=main clone --quiet --no-hardlinks "$PWD" "$folder"
    git -C "$folder" checkout --quiet --detach "$commit"
    nice -n 5 "$folder/scripts/build-windows.sh" >"$work/$name.log" 2>&1 || {
        tail -n 20 "$work/$name.log" >&2
        return 1
    }
    mkdir -p "$work/$name/files"
    cp "$folder"/build-windows/dist/* "$work/$name/"
    (cd "$work/$name/files" && cmake -E tar xf "$work/$name"/*.zip)
    rm -rf "$folder"
}

(
    umask 0022
    TZ=UTC LC_ALL=C build_windows first "$work/first-clone"
)
(
    umask 0002
    TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 build_windows second "$work/second/a/much/deeper/clone"
)

# Every file of the zip: its checksum and whether the second build's is the same.
different=0
while read -r path; do
    sum=$(sha256sum <"$work/first/files/$path" | cut -c 1-16)
    if [ -f "$work/second/files/$path" ] && cmp -s "$work/first/files/$path" "$work/second/files/$path"; then
        echo "same       $sum  $path"
    else
        echo "DIFFERENT  $sum  $path"
        different=$((different + 1))
    fi
done < <(cd "$work/first/files" && find . -type f | LC_ALL=C sort)
extra=$(diff <(cd "$work/first/files" && find . | LC_ALL=C sort) \
    <(cd "$work/second/files" && find . | LC_ALL=C sort) || true)
[ -z "$extra" ] || {
    echo "files in one zip only:"
    echo "$extra"
    different=$((different + 1))
}

for package in "$work"/first/*.zip "$work"/first/*.exe; do
    file=$(basename "$package")
    if cmp -s "$package" "$work/second/$file"; then
        echo "same       $(sha256sum <"$package" | cut -c 1-16)  $file"
    else
        echo "DIFFERENT  $file"
        different=$((different + 1))
        if command -v diffoscope >/dev/null; then
            diffoscope "$package" "$work/second/$file" >&2 || true
        fi
    fi
done

if [ "$different" -eq 0 ]; then
    echo "the two builds are identical, file by file"
    exit 0
fi
echo "FAIL: the two builds differ" >&2
exit 1
