#!/usr/bin/env bash
# Builds the Debian package on this machine from its source package
# (scripts/build-debian-package.sh host, whose dh_auto_test runs the project's tests)
# and proves it without touching what this machine has installed: its files and their
# modes, lintian on the source and the binary package (no error, no warning), apt's
# simulated install, hardening-check on both programs, the software catalog, and the
# programs, manual page, icons, desktop entry and metainfo as unpacked from the package
# by dpkg-deb. Only on a throwaway machine (CI=true) with no dorvek installed does it
# also install the package with apt, use it, and remove it again.
# Usage: scripts/check-package.sh [DEB]   (default: build the package first)
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=lib/common.sh
source scripts/lib/common.sh

installed_dorvek() {
    { dpkg-query -W -f='${Status} ${Version}' dorvek 2>/dev/null || true; } |
        sed -n 's/^install ok installed //p'
}
installed_before=$(installed_dorvek)

if [ $# -eq 0 ]; then
    scripts/build-debian-package.sh host
    deb=$(realpath build-debian/host/dorvek_*.deb)
else
    deb=$(realpath "$1")
fi
echo "Package: $deb"
dpkg-deb --field "$deb" Package Version Installed-Size Depends

# Every file and folder the package installs, with its mode: one left out, one added or
# one whose mode changed is a different package.
expected_contents='drwxr-xr-x root/root ./
drwxr-xr-x root/root ./usr/
drwxr-xr-x root/root ./usr/bin/
-rwxr-xr-x root/root ./usr/bin/dorvek
-rwxr-xr-x root/root ./usr/bin/dorvek-calc
drwxr-xr-x root/root ./usr/share/
drwxr-xr-x root/root ./usr/share/applications/
-rw-r--r-- root/root ./usr/share/applications/org.dorvek.olasiliklar.desktop
drwxr-xr-x root/root ./usr/share/doc/
drwxr-xr-x root/root ./usr/share/doc/dorvek/
-rw-r--r-- root/root ./usr/share/doc/dorvek/changelog.Debian.gz
-rw-r--r-- root/root ./usr/share/doc/dorvek/copyright
drwxr-xr-x root/root ./usr/share/icons/
drwxr-xr-x root/root ./usr/share/icons/hicolor/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/
drwxr-xr-x root/root ./usr/share/icons/hicolor/128x128/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/128x128/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/
drwxr-xr-x root/root ./usr/share/icons/hicolor/16x16/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/16x16/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/
drwxr-xr-x root/root ./usr/share/icons/hicolor/256x256/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/256x256/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/
drwxr-xr-x root/root ./usr/share/icons/hicolor/32x32/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/32x32/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/
drwxr-xr-x root/root ./usr/share/icons/hicolor/48x48/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/48x48/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/
drwxr-xr-x root/root ./usr/share/icons/hicolor/64x64/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/64x64/apps/org.dorvek.olasiliklar.png
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/
drwxr-xr-x root/root ./usr/share/icons/hicolor/scalable/apps/
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/org.dorvek.olasiliklar.svg
drwxr-xr-x root/root ./usr/share/lintian/
drwxr-xr-x root/root ./usr/share/lintian/overrides/
-rw-r--r-- root/root ./usr/share/lintian/overrides/dorvek
drwxr-xr-x root/root ./usr/share/man/
drwxr-xr-x root/root ./usr/share/man/man1/
-rw-r--r-- root/root ./usr/share/man/man1/dorvek-calc.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/dorvek.1.gz
drwxr-xr-x root/root ./usr/share/man/tr/
drwxr-xr-x root/root ./usr/share/man/tr/man1/
-rw-r--r-- root/root ./usr/share/man/tr/man1/dorvek-calc.1.gz
-rw-r--r-- root/root ./usr/share/man/tr/man1/dorvek.1.gz
drwxr-xr-x root/root ./usr/share/metainfo/
-rw-r--r-- root/root ./usr/share/metainfo/org.dorvek.olasiliklar.metainfo.xml'
contents=$(dpkg-deb --contents "$deb" | awk '{print $1, $2, $6}')
[ "$contents" = "$expected_contents" ] || {
    diff <(echo "$expected_contents") <(echo "$contents") >&2 || true
    fail "the package's files differ from those expected (- expected, + in the package)"
}
echo "files and modes: as expected"

# The source package beside the binary one, when the build above made both.
dsc=$(ls "$(dirname "$deb")"/dorvek_*.dsc 2>/dev/null || true)
echo "lintian --pedantic --display-info:"
report=$(lintian --display-info --pedantic --fail-on error,warning "$deb" ${dsc:+"$dsc"}) || {
    echo "$report"
    fail "lintian reports errors or warnings"
}
[ -z "$report" ] || echo "$report"

# apt resolves the package's dependencies against this machine, changing nothing.
apt-get install -s -qq "$deb" >/dev/null || fail "apt could not install the package here"

# What a user would get, unpacked into a scratch tree; libraries, fonts and Qt's
# plugins come from this machine.
tree=$(mktemp -d)
remove_on_exit "$tree" "$tree.catalog"
dpkg-deb -x "$deb" "$tree"

# Every protection of Debian's hardening flags that a program built on Debian can show:
# PIE, stack protector, fortified calls, RELRO and immediate binding. Not control-flow
# and branch protection: a program is marked for them only if every object linked into
# it is, and the C library's start files on Debian 12 and 13 are not, so none of
# Debian's own programs passes those two either. hardening-check counts memcpy, memmove
# and memset as unprotected even where no size is known to check them against, which
# lintian's fortify check above leaves out as false alarms; a program whose only
# unprotected calls are those three passes on the other protections.
skip=(--nocfprotection)
# Debian 12's hardening-check has no branch protection check to leave out.
options=$(hardening-check --help 2>&1 || true)
if grep -q -- --nobranchprotection <<<"$options"; then
    skip+=(--nobranchprotection)
fi
echo "hardening-check ${skip[*]}:"
for program in "$tree"/usr/bin/*; do
    report=$(hardening-check --verbose "${skip[@]}" "$program") && {
        echo "$report"
        continue
    }
    echo "$report"
    hardening-check --nofortify --quiet "${skip[@]}" "$program" >/dev/null ||
        fail "hardening-check: $program lacks a protection"
    ! sed -n 's/^\tunprotected: //p' <<<"$report" | grep -qvxE 'memcpy|memmove|memset' ||
        fail "hardening-check: $program calls libc functions unfortified"
    echo "(only memcpy, memmove and memset unprotected: no call whose size fortify could check)"
done

# What a software centre's catalog makes of the package: the component, with its icon
# cached at 64 pixels, the least that software centres show (16 and 32 alone are not
# found at all).
# Faults it finds in the metainfo are reported here and fail only where they concern the
# icons (one it cannot find, or cannot read): Debian 13's appstream asks more of the
# metainfo than Debian 12's.
catalog=$tree.catalog
if report=$(appstreamcli compose --no-net --print-report=full --origin=dorvek \
    --result-root="$catalog" "$tree" 2>&1); then
    [ -n "$(find "$catalog" -path '*/64x64/org.dorvek.olasiliklar.png')" ] ||
        fail "no 64 pixel icon in the software catalog"
    echo "software catalog: composed, with the icon at 64 pixels"
else
    echo "$report"
    ! grep -qE 'icon-|file-read-error' <<<"$report" ||
        fail "appstreamcli compose finds fault with the icons"
fi
rm -rf "$catalog"

# The programs, the manual page, icons, desktop entry and metainfo under PREFIX.
check_programs() {
    local prefix=$1
    # The package's own autopkgtest of dorvek-calc, so that its texts are checked on
    # every run of the test command and not only in a clean testbed.
    local scratch
    scratch=$(mktemp -d)
    PATH="$prefix/bin:$PATH" AUTOPKGTEST_TMP="$scratch" sh debian/tests/dorvek-calc ||
        fail "$prefix/bin/dorvek-calc (debian/tests/dorvek-calc)"
    rm -rf "$scratch"
    local page
    page=$(MANPATH="$prefix/share/man" man -w dorvek-calc) || fail "man finds no page in $prefix"
    MANWIDTH=80 man -l "$page" | grep -q "dorvek-calc" || fail "the manual page $page shows nothing"
    local size
    for size in 16x16 32x32 48x48 64x64 128x128 256x256; do
        file "$prefix/share/icons/hicolor/$size/apps/org.dorvek.olasiliklar.png" |
            grep -q "${size/x/ x }," || fail "icon $size in $prefix"
    done
    file "$prefix/share/icons/hicolor/scalable/apps/org.dorvek.olasiliklar.svg" |
        grep -q "SVG Scalable Vector Graphics image" || fail "scalable icon in $prefix"
    desktop-file-validate "$prefix/share/applications/org.dorvek.olasiliklar.desktop"
    appstreamcli validate --no-net "$prefix/share/metainfo/org.dorvek.olasiliklar.metainfo.xml" \
        >/dev/null
    # Under openbox the window is closed with Alt+F4: no helper from a build tree.
    xvfb-run -a -s "-screen 0 1024x768x24" tests/smoke/window_smoke_test.sh \
        "$prefix/bin/dorvek" /bin/false \
        "$prefix/share/applications/org.dorvek.olasiliklar.desktop" openbox ||
        fail "$prefix/bin/dorvek"
}
check_programs "$tree/usr"
echo "unpacked package checked"

if [ "${CI:-}" != true ] || [ -n "$installed_before" ]; then
    if [ -n "$installed_before" ]; then
        echo "dorvek $installed_before is installed here: left as it is, not reinstalled"
        [ "$(installed_dorvek)" = "$installed_before" ] || fail "the installed dorvek changed"
    fi
    echo "package check passed (a real install and removal runs only with CI=true)"
    exit 0
fi

# A throwaway machine: install with apt, use the installed files, remove, look for leftovers.
installed_files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' |
    grep -v '^/\?$')
remove() { as_root apt-get remove --purge -y -qq dorvek >/dev/null 2>&1 || true; }
trap 'remove; rm -rf "$tree"' EXIT
as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
check_programs /usr
trap 'rm -rf "$tree"' EXIT
as_root env DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq dorvek >/dev/null
left=$(while read -r path; do
    # Shared directories such as /usr/share/man/man1 stay; files and our own folders must go.
    if [ -f "$path" ] || [ -L "$path" ] || { [ -d "$path" ] && [[ "$path" == *dorvek* ]]; }; then
        echo "$path"
    fi
done <<<"$installed_files")
[ -z "$left" ] || fail "left behind after removal: $left"
echo "package check passed, with a real install and removal"
