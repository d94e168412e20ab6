#!/usr/bin/env bash
# Builds the Debian package from a build tree, installs it with apt, checks what a
# user gets (dorvek-calc, its manual page, the window under Xvfb), then removes the
# package and checks that it left nothing behind.
# Usage: scripts/check-package.sh [BUILD-DIRECTORY]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if dpkg-query -W -f='${Status}' dorvek 2>/dev/null | grep -q "install ok installed"; then
    fail "a dorvek package is installed already; remove it first, this check installs its own"
fi

rm -f "$build"/dorvek_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/dorvek_*.deb)
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Installed-Size Depends
installed_files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' | grep -v '^/\?$')

remove() { $sudo apt-get remove --purge -y -qq dorvek >/dev/null 2>&1 || true; }
trap remove EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

[ "$(LC_ALL=tr_TR.UTF-8 /usr/bin/dorvek-calc -1 1)" = "0,68269" ] || fail "dorvek-calc under tr_TR"
[ "$(LC_ALL=en_US.UTF-8 /usr/bin/dorvek-calc -1 1)" = "0.68269" ] || fail "dorvek-calc under en_US"
man -w dorvek-calc >/dev/null || fail "man finds no page for dorvek-calc"
for size in 16x16 32x32; do
    file "/usr/share/icons/hicolor/$size/apps/org.dorvek.olasiliklar.png" | grep -q "${size/x/ x }," ||
        fail "icon $size"
done
desktop-file-validate /usr/share/applications/org.dorvek.olasiliklar.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.dorvek.olasiliklar.metainfo.xml >/dev/null
xvfb-run -a -s "-screen 0 1024x768x24" tests/smoke/window_smoke_test.sh \
    /usr/bin/dorvek "$build/tests/smoke/close-window" || fail "the installed dorvek"

trap - EXIT
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove --purge -y -qq dorvek >/dev/null
left=$(while read -r path; do
    # Shared directories such as /usr/share/man/man1 stay; files and our own folders must go.
    if [ -f "$path" ] || [ -L "$path" ] || { [ -d "$path" ] && [[ "$path" == *dorvek* ]]; }; then
        echo "$path"
    fi
done <<<"$installed_files")
[ -z "$left" ] || fail "left behind after removal: $left"
echo "package check passed"
