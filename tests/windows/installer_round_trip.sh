#!/usr/bin/env bash
# installer_round_trip.sh SETUP.EXE
# The installer under wine, in WINEPREFIX's prefix: a silent install puts the programs,
# the Start-menu shortcut and the "Apps & features" entry with version 1.00 in place;
# the installed dorvek-calc.exe computes; a silent uninstall then leaves the prefix's
# files and registry as they were before the install.
set -euo pipefail

setup=$1
# wine as the build runs it, from the build scripts beside the tests.
wine_run=$(cd "$(dirname "$0")/../../scripts/windows" && pwd)/wine-run.sh
product="Dorvek Olasılıklar"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvek.Olasiliklar'
drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/$product"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/$product.lnk"
snapshots=$(mktemp -d)
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
remove_on_exit "$snapshots"
fail_prefix="FAIL: installer"
export LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8

wine_() {
    "$wine_run" "$@"
}

# What the prefix holds: its files and the machine's registry, less what wine changes
# by itself as programs run (the users' folders, temporary files, install dates, wine's
# own keys).
snapshot() {
    wine_ wineserver -w
    (cd "$drive" && find . -path ./users -prune -o -path ./windows/temp -prune -o -print | sort)
    wine_ reg query 'HKLM\Software' /s /reg:64 2>/dev/null | tr -d '\r' | grep -v '^$' |
        grep -vi 'InstallDate\|LastUpdate\|[\]Wine[\]'
}

wine_ wineboot --init >/dev/null 2>&1
snapshot >"$snapshots/before"

wine_ "$setup" /S
wine_ wineserver -w
[ -f "$installed/dorvek.exe" ] || fail "no dorvek.exe in $installed"
[ -f "$installed/kaldir.exe" ] || fail "no uninstaller in $installed"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
# Exported, the key is UTF-16 whatever the console's code page.
wine_ reg export "$key" 'C:\entry.reg' /reg:64 /y >/dev/null
entry=$(iconv -f UTF-16 -t UTF-8 "$drive/entry.reg" | tr -d '\r')
rm "$drive/entry.reg"
grep -qx "\"DisplayName\"=\"$product\"" <<<"$entry" || fail "no DisplayName: $entry"
grep -qx '"DisplayVersion"="1.00"' <<<"$entry" || fail "no DisplayVersion 1.00: $entry"
echo "installer: silent install to C:\\Program Files\\$product, $(find "$installed" -type f | wc -l) files"
echo "installer: Start-menu shortcut \"$product.lnk\"; Apps & features entry:"
grep -E '^"(DisplayName|DisplayVersion|Publisher|UninstallString)"' <<<"$entry" | sed 's/^/    /'

result=$(wine_ "$installed/dorvek-calc.exe" -1 1 | tr -d '\r')
[ "$result" = "0,68269" ] || fail "the installed dorvek-calc.exe printed $result"
echo "installer: the installed dorvek-calc.exe -1 1 printed $result"

wine_ "$installed/kaldir.exe" /S
wine_ wineserver -w
for _ in $(seq 100); do
    [ -e "$installed" ] || break
    sleep 0.1
done
snapshot >"$snapshots/after"
if ! diff -u "$snapshots/before" "$snapshots/after" >"$snapshots/left"; then
    cat "$snapshots/left" >&2
    fail "the uninstall left the prefix other than it was"
fi
echo "installer: silent uninstall: no file or registry key of the install is left"
echo "installer round trip passed"
