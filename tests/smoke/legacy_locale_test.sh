#!/usr/bin/env bash
# The window under a Turkish locale of the old single-byte kind, tr_TR.ISO-8859-9,
# compiled for this test into a scratch folder: tools that read the legacy title
# (WM_NAME), as task bars of older desktops and xdotool do, still read "Dorvek
# Dağılım", not the title's UTF-8 bytes taken for Latin-5 characters.
# Usage (inside an X display, e.g. under xvfb-run): legacy_locale_test.sh DORVEK
# Exits 77 (skipped) where the C library cannot compile the locale.
set -euo pipefail

dorvek=$1
title="Dorvek Dağılım"
pid=""
scratch=$(mktemp -d)
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

if ! command -v localedef >/dev/null ||
    ! localedef -i tr_TR -f ISO-8859-9 "$scratch/tr_TR.ISO-8859-9" 2>"$scratch/localedef.log"; then
    echo "skipped: localedef cannot compile tr_TR.ISO-8859-9 here" \
        "(the locales package's sources are missing): $(head -n 1 "$scratch/localedef.log" 2>/dev/null)"
    exit 77
fi
[ "$(LOCPATH=$scratch LC_ALL=tr_TR.ISO-8859-9 locale charmap)" = ISO-8859-9 ] ||
    fail "the compiled locale does not take effect"

# The test suite may run with Qt's offscreen platform; this test needs the real one.
unset QT_QPA_PLATFORM
LOCPATH=$scratch LC_ALL=tr_TR.ISO-8859-9 "$dorvek" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --classname '^dorvek$' | head -n 1) ||
    fail "no window of dorvek mapped"
[ -n "$window" ] || fail "no window of dorvek mapped"

# xprop turns the title's encoding into its own locale's, UTF-8 here.
export LC_ALL=C.UTF-8
legacy=$(xprop -id "$window" -notype WM_NAME)
[ "$legacy" = "WM_NAME = \"$title\"" ] || fail "the legacy title reads $legacy"
name=$(xprop -id "$window" -notype _NET_WM_NAME)
[ "$name" = "_NET_WM_NAME = \"$title\"" ] || fail "the title reads $name"
kill -0 "$pid" 2>/dev/null || fail "dorvek ended under the legacy locale"
echo "legacy locale test passed: $legacy"
