#!/usr/bin/env bash
# window_smoke_test.sh DORVEK.EXE [SCREENSHOT-FOLDER]
# dorvek.exe's real window under wine, inside an X display (xvfb-run): it maps with its
# title and client size; the keyboard alone types -1,96 and 1,96, moves to "Sonuç"
# and presses it, and the result box, copied to the clipboard, reads 0,95000; a bound
# that is not a number brings up the error box, which Return dismisses; closing the
# window ends the process with status 0. With a folder, the window is saved there as
# window.png after the computation. The wine prefix is WINEPREFIX's.
set -euo pipefail

dorvek=$1
screenshots=${2:-}
# wine as the build runs it, from the build scripts beside the tests.
wine_run=$(cd "$(dirname "$0")/../../scripts/windows" && pwd)/wine-run.sh
title="Dorvek Dağılım"
program_title="Dorvek Olasılıklar"
pid=""
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
# shellcheck source-path=SCRIPTDIR source=../smoke/window_steps.sh
source "$(dirname "$0")/../smoke/window_steps.sh"

cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT

step() {
    echo "window smoke test: $*"
}

# The result box's text, through the clipboard: the focus moves on from "Sonuç" to it.
result_text() {
    xdotool key Tab ctrl+a ctrl+c
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null || true
    xdotool key shift+Tab
}

# The prefix's wine started afresh, on this display.
"$wine_run" wineserver -w
# A Turkish user's regional settings; the window needs the real platform, not offscreen.
LANG=tr_TR.UTF-8 LC_ALL=tr_TR.UTF-8 "$wine_run" "$dorvek" &
pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
    fail "no window titled $title mapped"
step "the window \"$title\" mapped"
require_client_size "$window" 414 245
step "client area 414 x 245"

# The lower bound box has the focus at start. Focus order: lower bound, "Sonuç", the
# result box, the upper bound, and round again.
xdotool windowfocus --sync "$window"
sleep 1
xdotool key ctrl+a
xdotool type -- -1,96
xdotool key Tab Tab Tab ctrl+a
xdotool type 1,96
xdotool key Tab Tab space
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the process ended after the computation"
result=$(result_text)
[ "$result" = "0,95000" ] || fail "the result box reads \"$result\", not 0,95000"
step "-1,96 and 1,96, Tab to Sonuç, space: the result box reads $result"
if [ -n "$screenshots" ]; then
    xdotool mousemove 1000 700 # the pointer off the window
    sleep 0.5
    import -window "$window" "$screenshots/window.png"
fi

# The button has the focus again: Shift+Tab to the lower bound box, a bound that is
# not a number, Tab and Return.
xdotool key shift+Tab ctrl+a
xdotool type abc
xdotool key Tab Return
box=$(timeout 15 xdotool search --sync --onlyvisible --name "^$program_title\$" | head -n 1) ||
    fail "no error box after a bound that is not a number"
step "abc as the lower bound: the error box \"$program_title\" opened"
if [ -n "$screenshots" ]; then
    sleep 0.5
    import -window "$box" "$screenshots/error-box.png"
fi
xdotool windowfocus --sync "$box"
xdotool key Return
wait_until_gone "$program_title" || fail "Return did not dismiss the error box"
result=$(result_text)
[ "$result" = "0,95000" ] || fail "after the error the result box reads \"$result\""
step "Return dismissed it; the result box still reads $result"

# Alt+F4 as Windows closes a window; wine passes it to the window itself.
xdotool windowfocus --sync "$window"
xdotool key alt+F4
require_clean_exit "$pid" 15 "Alt+F4"
pid=""
step "Alt+F4 closed the window, exit status 0"
echo "window smoke test passed"
