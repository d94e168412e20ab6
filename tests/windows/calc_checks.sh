#!/usr/bin/env bash
# calc_checks.sh DORVEK-CALC.EXE
# dorvek-calc.exe as a Windows user meets it, under wine in WINEPREFIX's prefix: the
# decimal symbol of a Turkish and of an English regional setting and one changed as
# the control panel changes it; lines ended by CR LF; Turkish letters in UTF-8 to a
# file or pipe and readable on a console; a file name with Turkish letters; the
# metafile to standard output byte for byte.
set -euo pipefail

calc=$1
# wine as the build runs it, from the build scripts beside the tests.
wine_run=$(cd "$(dirname "$0")/../../scripts/windows" && pwd)/wine-run.sh
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"

check() { # DESCRIPTION EXPECTED ACTUAL
    if [ "$2" = "$3" ]; then
        echo "dorvek-calc.exe: $1: $(printf '%q' "$3")"
    else
        fail_later "dorvek-calc.exe: $1: expected $(printf '%q' "$2"), got $(printf '%q' "$3")"
    fi
}

calc_in() { # LANG ARGUMENT...
    local language=$1
    shift
    LANG=$language LC_ALL=$language "$wine_run" "$calc" "$@"
}

check "Turkish setting, -1 1" $'0,68269\r' "$(calc_in tr_TR.UTF-8 -1 1)"
check "English setting, -1 1" $'0.68269\r' "$(calc_in en_US.UTF-8 -1 1)"
check "English setting, bounds with commas" $'1.00000\r' "$(calc_in en_US.UTF-8 -5,00 5,00)"

# The control panel's decimal symbol, in the registry of the user's regional settings.
# wine rewrites those settings whenever the locale changes, so it stays Turkish here.
calc_in tr_TR.UTF-8 -1 1 >/dev/null
LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8 "$wine_run" reg add \
    'HKCU\Control Panel\International' /v sDecimal /d '#' /f >/dev/null
check "Turkish setting, decimal symbol changed to #" $'0#68269\r' "$(calc_in tr_TR.UTF-8 -1 1)"
LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8 "$wine_run" reg add \
    'HKCU\Control Panel\International' /v sDecimal /d ',' /f >/dev/null

# Standard error redirected to a file: UTF-8, whatever the console's code page.
status=0
calc_in tr_TR.UTF-8 38 0 2>"$WINEPREFIX/error.txt" >/dev/null || status=$?
check "38 0, exit status" 1 "$status"
check "38 0, standard error to a file" \
    $'dorvek-calc: hata 6: Sınırlardan biri hesap için fazla büyük. Sınırların mutlak değeri en çok yaklaşık 37,677 olabilir. Daha küçük bir sınır yazın.\r' \
    "$(cat "$WINEPREFIX/error.txt")"
check "usage to a pipe" "Kullanım: dorvek-calc [--exact] [--] ALT ÜST"$'\r' \
    "$(calc_in tr_TR.UTF-8 --help | head -n 1)"

# A file name with Turkish letters reaches Windows as it was typed: UTF-8 is the
# process's code page.
rm -f "$WINEPREFIX/drive_c/eğri.emf"
calc_in tr_TR.UTF-8 --emf 'C:\eğri.emf'
calc_in tr_TR.UTF-8 --emf - >"$WINEPREFIX/standard-output.emf"
same=$(cmp -s "$WINEPREFIX/drive_c/eğri.emf" "$WINEPREFIX/standard-output.emf" && echo same bytes ||
    echo different bytes)
check "--emf C:\\eğri.emf and --emf - (binary standard output)" "same bytes" "$same"

# On a console: a terminal, to which wine's console passes the text on as it draws it,
# with cursor movements for spaces; the letters of the first sentence are what is
# compared, as the console may wrap the rest.
console=$(script -qec "LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8 '$wine_run' '$calc' 38 0" /dev/null |
    sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r ' | grep -a 'hata' || true)
check "38 0 on a console, spaces aside" "dorvek-calc:hata6:Sınırlardanbirihesapiçinfazlabüyük" \
    "${console%%.*}"

[ "$failed" -eq 0 ] || exit 1
echo "dorvek-calc checks passed"
