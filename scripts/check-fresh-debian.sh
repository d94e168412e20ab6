#!/usr/bin/env bash
# Tries one of the README's commands as a new user would: on a minimal Debian root
# made with debootstrap (minbase plus git, ca-certificates and sudo), in a fresh
# clone of this repository at HEAD, as root. The test command takes about half an
# hour on 2 cores.
#
#   scripts/check-fresh-debian.sh [--keep] SUITE [COMMAND]
#
# SUITE is a Debian release (bookworm, trixie); COMMAND runs in the clone with bash
# (default: scripts/test.sh). The root is made under $FRESH_ROOT_PARENT (default
# /var/tmp) from the mirror this machine's apt uses, and removed afterwards unless
# --keep is given. Needs root (or sudo); installs debootstrap where it is missing.
# Run one root at a time: roots share this machine's network namespace, X servers'
# abstract sockets included, so two roots' Xvfb on the same display would collide.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    exec sudo -- "$0" "$@"
fi
# shellcheck source=lib/common.sh
source "$(dirname "$0")/lib/common.sh"

keep=false
if [ "${1:-}" = "--keep" ]; then
    keep=true
    shift
fi
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    stop_with_usage "[--keep] SUITE [COMMAND]"
fi
suite=$1
command=${2:-scripts/test.sh}
command -v debootstrap >/dev/null || {
    echo "installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap \
        >/dev/null || stop "debootstrap is missing and could not be installed"
}

source_repository=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
head=$(git -C "$source_repository" rev-parse HEAD)

# The mirror that serves this machine's own release, as apt's index targets name it.
# shellcheck source=/dev/null # the release's own file, not ours to check
host_release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
# shellcheck disable=SC2016 # $(SITE) and the rest are apt's fields, not the shell's
mirror=${FRESH_MIRROR:-$(apt-get indextargets --format '$(SITE) $(RELEASE) $(COMPONENT)' |
    awk -v release="$host_release" '$2 == release && $3 == "main" {print $1; exit}')}
[ -n "$mirror" ] || stop "no Debian mirror found in apt's sources; set FRESH_MIRROR"

parent=${FRESH_ROOT_PARENT:-/var/tmp}
root=$(mktemp -d "$parent/dorvek-fresh-$suite.XXXXXX")
root=$(realpath "$root")
# mktemp's 0700 would shut apt's _apt user and every other user out of the new /.
chmod 755 "$root"
mounted=()

# The three functions below run from the EXIT trap, which shellcheck 0.9 does not
# follow in a script that ends with exit.
# Every process still running inside the root, found by its root directory.
# shellcheck disable=SC2317
processes_in_root() {
    local link
    for link in /proc/[0-9]*/root; do
        [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && basename "$(dirname "$link")"
    done
    return 0
}

# shellcheck disable=SC2317
mounts_under_root() {
    awk -v root="$root" '$5 == root || index($5, root "/") == 1 {print $5}' /proc/self/mountinfo
}

# shellcheck disable=SC2317
clean_up() {
    local status=$?
    local pid
    for pid in $(processes_in_root); do
        kill "$pid" 2>/dev/null || true
    done
    sleep 1
    for pid in $(processes_in_root); do
        kill -9 "$pid" 2>/dev/null || true
    done
    local index
    for ((index = ${#mounted[@]} - 1; index >= 0; index--)); do
        umount "${mounted[index]}" || umount -l "${mounted[index]}" || true
    done
    # Never remove through a mount: anything still mounted keeps the whole root.
    if [ -n "$(mounts_under_root)" ]; then
        echo "still mounted, root kept at $root:" >&2
        mounts_under_root >&2
    elif $keep; then
        echo "root kept at $root"
    else
        rm -rf --one-file-system "$root"
    fi
    exit "$status"
}
trap clean_up EXIT
trap 'exit 130' INT TERM

mount_in_root() {
    local target=$1
    shift
    mount "$@" "$root$target"
    mounted+=("$root$target")
}

started=$(date +%s)
echo "== debootstrap $suite from $mirror into $root"
debootstrap --variant=minbase --include=git,ca-certificates,sudo "$suite" "$root" "$mirror" \
    >"$root.debootstrap.log" 2>&1 || {
    tail -n 20 "$root.debootstrap.log" >&2
    exit 1
}
rm -f "$root.debootstrap.log"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The kernel's file systems, and a /dev of its own holding only the usual devices,
# so that nothing under the root reaches into this machine's /dev.
mount_in_root /proc -t proc proc
mount_in_root /sys -t sysfs -o ro sysfs
mount_in_root /dev -t tmpfs -o mode=755 tmpfs
for device in null zero full random urandom tty; do
    touch "$root/dev/$device"
    mount_in_root "/dev/$device" --bind "/dev/$device"
done
mkdir "$root/dev/pts" "$root/dev/shm"
mount_in_root /dev/pts -t devpts -o newinstance,ptmxmode=0666 devpts
ln -s pts/ptmx "$root/dev/ptmx"
mount_in_root /dev/shm -t tmpfs -o mode=1777 tmpfs
ln -s /proc/self/fd "$root/dev/fd"

echo "== clone of $source_repository at $head"
git clone --quiet "$source_repository" "$root/root/dorvek"
git -C "$root/root/dorvek" checkout --quiet --detach "$head"

echo "== ${command%%$'\n'*}"
status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/dorvek && $command" || status=$?

# shellcheck disable=SC2016 # dpkg-query's fields
versions=$(chroot "$root" dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Version}\n' \
    g++ clang qt6-base-dev libfreetype6 libfontconfig1 valgrind lintian 2>/dev/null |
    awk '$1 == "ii" {print $2, $3}' || true)
echo "== versions in the $suite root:"
echo "$versions"
minutes=$(((($(date +%s) - started) + 30) / 60))
# A command of many lines is named by its first.
name=${command%%$'\n'*}
[ "$name" = "$command" ] || name="$name ..."
if [ "$status" -eq 0 ]; then
    echo "== $suite: '$name' passed in $minutes min"
else
    echo "== $suite: '$name' FAILED (status $status) after $minutes min"
fi
exit "$status"
