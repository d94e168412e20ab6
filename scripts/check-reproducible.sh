#!/usr/bin/env bash
# Builds the Debian package twice from one commit's source package and checks that the
# two .debs are the same bytes: each build from its own clean clone, in folders of
# different names and depths, one after the other, under different time zones, umasks
# and locales. On a difference it names the files that differ (all of it with
# diffoscope, where installed) and fails. The builds leave the tests out (nocheck),
# which changes nothing in the package; each takes about as long as a build of the
# programs. The test command does not run it.
#
#   scripts/check-reproducible.sh [COMMIT]   (default: HEAD)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/common.sh
source scripts/lib/common.sh
scripts/install-dependencies.sh

commit=$(git rev-parse --verify "${1:-HEAD}^{commit}")
work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-reproducible.XXXXXX")
remove_on_exit "$work"
echo "commit $commit"

# Builds the package from a clean clone at FOLDER and copies it to $work/NAME.deb.
build_package() {
    local name=$1 folder=$2
    echo "$name: building in $folder, starting $(date -u +%T)"
    git -c init.defaultBranch=main clone --quiet --no-hardlinks "$PWD" "$folder"
    git -C "$folder" checkout --quiet --detach "$commit"
    mkdir -p "$folder.tmp"
    TMPDIR=$folder.tmp DEB_BUILD_OPTIONS=nocheck \
        nice -n 5 "$folder/scripts/build-debian-package.sh" host >"$work/$name.log" 2>&1 || {
        tail -n 20 "$work/$name.log" >&2
        return 1
    }
    cp "$folder"/build-debian/host/dorvek_*.deb "$work/$name.deb"
    echo "$name: $(sha256sum <"$work/$name.deb" | cut -d' ' -f1)"
}

(
    umask 0022
    TZ=UTC LC_ALL=C build_package first "$work/first"
)
(
    umask 0002
    TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 build_package second "$work/second/a/much/deeper/folder"
)

if cmp -s "$work/first.deb" "$work/second.deb"; then
    echo "the two packages are identical"
    exit 0
fi

echo "FAIL: the two packages differ" >&2
# Which files: the package's members, then the files in its control and data archives.
for build in first second; do
    mkdir "$work/$build.unpacked"
    (cd "$work/$build.unpacked" && ar x "../$build.deb")
    dpkg-deb --raw-extract "$work/$build.deb" "$work/$build.tree"
    dpkg-deb --fsys-tarfile "$work/$build.deb" | tar -tv --full-time >"$work/$build.listing"
done
diff -r --brief "$work/first.unpacked" "$work/second.unpacked" >&2 || true
diff -r --brief "$work/first.tree" "$work/second.tree" >&2 || true
diff "$work/first.listing" "$work/second.listing" >&2 || true
if command -v diffoscope >/dev/null; then
    diffoscope "$work/first.deb" "$work/second.deb" >&2 || true
fi
exit 1
