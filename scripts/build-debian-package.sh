#!/usr/bin/env bash
# Builds the Debian package as Debian's archive does.
#
#   scripts/build-debian-package.sh bookworm|trixie
#       the source package, then the binary package in a clean chroot of that
#       release as an unprivileged user (sbuild in unshare mode), lintian run there
#       on the .changes, and autopkgtest in a clean testbed of the same release;
#       everything in build-debian/SUITE/.
#   scripts/build-debian-package.sh source
#       the source package alone, in build-debian/source/.
#   scripts/build-debian-package.sh host
#       the source package, then the binary package on this machine with
#       dpkg-buildpackage (Build-Depends must be installed), in build-debian/host/.
#
# The upstream tarball is `git archive` of the commit: the same commit gives the same
# bytes. The files git tracks are built as they are in the working tree: uncommitted
# changes are included, and named, as are untracked files, which are left out.
# The chroots are mmdebstrap tarballs cached under ${XDG_CACHE_HOME:-~/.cache}/dorvek/;
# sbuild brings them up to date before each build. Run as root, the chroot builds run
# as the unprivileged user dorvek-build, which this script creates for them. The
# chroots come from deb.debian.org unless DORVEK_DEBIAN_MIRROR names another mirror.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/common.sh
source scripts/lib/common.sh

usage() { stop_with_usage "bookworm|trixie|source|host"; }

[ $# -eq 1 ] || usage
mode=$1
case $mode in
bookworm | trixie | source | host) ;;
*) usage ;;
esac

if [ "$mode" = host ] || [ "$mode" = source ]; then
    scripts/install-dependencies.sh
else
    scripts/install-dependencies.sh --debian-chroot
fi

mirror=${DORVEK_DEBIAN_MIRROR:-http://deb.debian.org/debian}
version=$(dpkg-parsechangelog -S Version)
upstream_version=${version%-*}
output=$PWD/build-debian/$mode
started=$(date +%s)

# The tree to build: HEAD, or HEAD with the tracked files' uncommitted changes.
commit=$(git rev-parse --verify HEAD)
changed=$(git status --porcelain --untracked-files=no)
untracked=$(git ls-files --others --exclude-standard)
if [ -n "$changed" ]; then
    commit=$(git stash create)
    echo "building HEAD with the uncommitted changes to:"
    cut -c4- <<<"$changed" | awk '{print "  " $0}'
fi
if [ -n "$untracked" ]; then
    echo "left out, since git does not track them:"
    awk '{print "  " $0}' <<<"$untracked"
fi

rm -rf "$output"
mkdir -p "$output"
work=$(mktemp -d "${TMPDIR:-/tmp}/dorvek-debian.XXXXXX")
remove_on_exit "$work"
trap 'exit 130' INT TERM

# The source package: the upstream tarball holds everything but debian/, which
# dpkg-source packs apart.
source_tree=$work/dorvek-$upstream_version
orig=dorvek_$upstream_version.orig.tar.xz
git archive --format=tar --prefix="dorvek-$upstream_version/" "$commit" -- . ':(exclude)debian' |
    xz -6 --threads=1 >"$work/$orig"
tar -C "$work" -xf "$work/$orig"
git archive --format=tar --prefix="dorvek-$upstream_version/" "$commit" -- debian |
    tar -C "$work" -x
(cd "$work" && dpkg-source --build "$source_tree" >/dev/null)
dsc=$work/dorvek_$version.dsc
[ -f "$dsc" ] || stop "dpkg-source made no $dsc"

if [ "$mode" = source ]; then
    cp "$dsc" "$work/$orig" "$work/dorvek_$version.debian.tar.xz" "$output/"
    echo "source package in $output"
    exit 0
fi

if [ "$mode" = host ]; then
    # What the archive would unpack: the source package, not the tree above.
    built=$work/built
    mkdir "$built"
    dpkg-source --no-check --extract "$dsc" "$built/dorvek-$upstream_version" >/dev/null
    log=$output/dorvek_${version}_$(dpkg --print-architecture).build
    echo "building on this machine (log: $log)"
    (cd "$built/dorvek-$upstream_version" &&
        dpkg-buildpackage --build=binary --no-sign --jobs="${DEB_JOBS:-$(nproc)}") \
        >"$log" 2>&1 || {
        tail -n 40 "$log" >&2
        stop "dpkg-buildpackage failed; the whole log is $log"
    }
    cp "$built"/*.deb "$built"/*.changes "$built"/*.buildinfo "$output/"
    cp "$dsc" "$work/$orig" "$work/dorvek_$version.debian.tar.xz" "$output/"
    echo "built in $((($(date +%s) - started + 30) / 60)) min:" "$output"/*.deb
    exit 0
fi

suite=$mode
arch=$(dpkg --print-architecture)

# Runs a command as the unprivileged user that builds: this user, or, for root, the
# system user dorvek-build, with subordinate ids for its user namespaces.
builder=$(id -un)
as_builder() { "$@"; }
if [ "$(id -u)" -eq 0 ]; then
    builder=dorvek-build
    if ! id "$builder" >/dev/null 2>&1; then
        echo "creating the system user $builder, who builds in the chroots"
        useradd --system --create-home --home-dir /var/lib/dorvek-build \
            --shell /usr/sbin/nologin "$builder"
    fi
    as_builder() { runuser -u "$builder" -- env -C /var/lib/dorvek-build HOME=/var/lib/dorvek-build "$@"; }
fi
# unshare maps the chroot's users onto subordinate ids; a user without any gets 65536.
for map in /etc/subuid /etc/subgid; do
    grep -q "^$builder:" "$map" 2>/dev/null || {
        echo "giving $builder subordinate ids in $map"
        as_root usermod "--add-sub${map#/etc/sub}s" "$(awk -F: 'BEGIN {n = 100000}
            {if ($2 + $3 > n) n = $2 + $3} END {print n "-" n + 65535}' "$map" 2>/dev/null ||
            echo 100000-165535)" "$builder"
    }
done

# The mirror must answer before anything is made.
/usr/lib/apt/apt-helper -o Acquire::http::Timeout=20 download-file \
    "$mirror/dists/$suite/InRelease" "$work/InRelease" >/dev/null 2>&1 ||
    stop "no answer from the Debian mirror $mirror for $suite: check the network"

cache=${XDG_CACHE_HOME:-$HOME/.cache}/dorvek
tarball=$cache/sbuild-$suite-$arch.tar
mkdir -p "$cache"
if [ ! -f "$tarball" ]; then
    echo "making the $suite chroot (once; cached as $tarball)"
    # Written under a temporary name and renamed when whole: an interrupted or failed
    # run leaves no half-made chroot behind.
    partial=$cache/.sbuild-$suite-$arch.$$.tar
    remove_on_exit "$partial"
    mmdebstrap --quiet --variant=buildd --architectures="$arch" "$suite" "$partial" \
        "deb $mirror $suite main" >"$work/mmdebstrap.log" 2>&1 || {
        tail -n 20 "$work/mmdebstrap.log" >&2
        stop "mmdebstrap could not make the $suite chroot"
    }
    chmod 0644 "$partial"
    mv "$partial" "$tarball"
fi

# The builder's own copy of the inputs, where it may write.
stage=$(mktemp -d "${TMPDIR:-/var/tmp}/dorvek-sbuild.XXXXXX")
remove_on_exit "$stage"
cp "$dsc" "$work/$orig" "$work/dorvek_$version.debian.tar.xz" "$stage/"
cp "$tarball" "$stage/chroot.tar"
[ "$builder" = "$(id -un)" ] || chown -R "$builder" "$stage"

echo "building in a clean $suite chroot as $builder"
status=0
# The chroot names the release; the .changes keep the changelog's distribution.
as_builder sbuild --chroot-mode=unshare --chroot="$stage/chroot.tar" \
    --dist="$(dpkg-parsechangelog -S Distribution)" \
    --arch="$arch" --arch-any --arch-all --source --force-orig-source \
    --run-lintian --lintian-opts="--pedantic --display-info" \
    --no-run-piuparts --no-run-autopkgtest \
    --build-dir="$stage" "$stage/dorvek_$version.dsc" >"$stage/sbuild.out" 2>&1 || status=$?
# sbuild's whole account is its build log; what it printed besides is its summary.
build_log=$output/dorvek_${version}_$arch.build
cp -L "$stage/dorvek_${version}_$arch.build" "$build_log" 2>/dev/null ||
    cp "$stage/sbuild.out" "$build_log"
cp "$stage"/*.changes "$stage"/*.deb "$stage"/*.buildinfo "$stage"/*.dsc "$stage"/*.tar.* \
    "$output/" 2>/dev/null || true
build_minutes=$((($(date +%s) - started + 30) / 60))
if [ "$status" -ne 0 ]; then
    # sbuild names what failed: a missing build dependency, the failing step.
    grep -E -A3 '^(E: |dpkg-checkbuilddeps|dh_[a-z_]+: error|CMake Error|The following tests FAILED)' \
        "$build_log" | head -n 30 >&2 || true
    stop "the $suite build failed after $build_minutes min; the log is $build_log"
fi
echo "built in $build_minutes min"

# lintian's verdict as the build's log recorded it.
lintian_report=$output/lintian.txt
sed -n '/^Running lintian\.\.\.$/,/Lintian run \(was successful\|failed\)/p' "$build_log" |
    grep -E '^[EWIPXCON]: dorvek' >"$lintian_report" || true
grep -q '^Running lintian\.\.\.$' "$build_log" || stop "lintian did not run on $suite; see $build_log"
echo "lintian (--pedantic --display-info) on $suite:"
if [ -s "$lintian_report" ]; then sed 's/^/  /' "$lintian_report"; else echo "  (nothing)"; fi
! grep -qE '^[EW]: ' "$lintian_report" || stop "lintian reports errors or warnings on $suite"

# autopkgtest on what was built, in a fresh testbed unpacked from the same chroot; the
# tarball keeps no package lists, so the testbed's apt is brought up to date first.
changes=$(ls "$stage"/dorvek_"$version"_"$arch".changes)
echo "autopkgtest in a clean $suite testbed"
status=0
as_builder autopkgtest --apt-upgrade --output-dir="$stage/autopkgtest" \
    --summary-file="$stage/summary" \
    "$changes" -- unshare --release="$suite" --arch="$arch" --tarball="$stage/chroot.tar" \
    >"$stage/autopkgtest.out" 2>&1 || status=$?
cp "$stage/autopkgtest.out" "$output/"
cp "$stage/summary" "$output/autopkgtest-summary.txt" 2>/dev/null || true
cat "$output/autopkgtest-summary.txt" 2>/dev/null || tail -n 25 "$output/autopkgtest.out"
# 0 all passed, 2 some skipped (such as a test whose restrictions this testbed lacks).
case $status in
0 | 2) ;;
*) stop "autopkgtest failed on $suite (status $status); its log is $output/autopkgtest.out" ;;
esac
echo "$suite: built, lintian clean and autopkgtest passed in" \
    "$((($(date +%s) - started + 30) / 60)) min; results in $output"
