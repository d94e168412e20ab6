#!/usr/bin/env bash
# The real window under Xvfb, without a window manager or under the one named: it maps
# with its title, client size and the class its desktop entry names, offering no
# maximise button; with the keyboard alone a bad bound brings up the error box, Return
# dismisses it and the keyboard works in the window again; it survives a click on
# "Sonuç"; and a close request (Alt+F4 under a window manager) ends the process with
# status 0.
# Usage (inside an X display, e.g. under xvfb-run):
#   window_smoke_test.sh DORVEK CLOSE-WINDOW DESKTOP-ENTRY [WINDOW-MANAGER]
set -euo pipefail

dorvek=$1
close_window=$2
desktop_entry=$3
window_manager=${4:-}
title="Dorvek Dağılım"
program_title="Dorvek Olasılıklar"
pid=""
manager_pid=""
shots=$(mktemp -d)
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
# shellcheck source=window_steps.sh
source "$(dirname "$0")/window_steps.sh"
fail_prefix="FAIL${window_manager:+ (under $window_manager)}"

cleanup() {
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null || true
    fi
    if [ -n "$manager_pid" ]; then
        kill "$manager_pid" 2>/dev/null || true
    fi
    rm -rf "$shots"
}
trap cleanup EXIT

# Pixels of Text1, (312, 8, 81, 13) in the client area, that are clearly blue: the
# result's text, on the scroll bar's grey.
blue_result_pixels() {
    import -window "$window" "$shots/window.png"
    convert "$shots/window.png" -crop 81x13+312+8 +repage -depth 8 txt:- |
        awk -F'[(),]+' 'NR > 1 && $3 <= 80 && $4 <= 80 && $5 >= 200 { n++ } END { print n + 0 }'
}

# A window whose size is fixed offers no maximise button: its Motif hints leave out
# the maximise decoration (0x40) and function (0x10), and a window manager that read
# them allows no maximising.
offers_no_maximise() { # WINDOW WHAT
    local hints decorations functions
    hints=$(xprop -id "$1" -notype _MOTIF_WM_HINTS | sed -n 's/^_MOTIF_WM_HINTS = //p')
    [ -n "$hints" ] || fail "$2 has no Motif hints"
    IFS=', ' read -r _ functions decorations _ <<<"$hints"
    (((functions & 0x10) == 0 && (decorations & 0x40) == 0)) ||
        fail "$2 offers a maximise button (Motif hints $hints)"
    if [ -n "$window_manager" ] &&
        xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MAXIMIZE; then
        fail "$window_manager lets $2 be maximised"
    fi
}

# The test suite may run with Qt's offscreen platform; this test needs the real one.
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 # for the tools; dorvek gets its own locale below

if [ -n "$window_manager" ]; then
    "$window_manager" &
    manager_pid=$!
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "$window_manager did not start"
fi

# A Turkish user's locale, which the C library here may well not have generated.
LC_ALL=tr_TR.UTF-8 "$dorvek" &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --classname '^dorvek$' | head -n 1) ||
    fail "no window of dorvek mapped"
[ -n "$window" ] || fail "no window of dorvek mapped"

# The title as window managers read it, in UTF-8 whatever the locale here.
name=$(xprop -id "$window" -notype _NET_WM_NAME)
[ "$name" = "_NET_WM_NAME = \"$title\"" ] || fail "title is $name"
# Tools that read the legacy title (xdotool --name among them) must find it too.
by_name=$(xdotool search --name "^$title\$" | head -n 1) || true
[ "$by_name" = "$window" ] || fail "the legacy title (WM_NAME) is $(xprop -id "$window" WM_NAME)"

# The class, which docks and task switchers match with the desktop entry: plain ASCII.
class=$(xprop -id "$window" -notype WM_CLASS)
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_entry")
[ -n "$startup_class" ] || fail "$desktop_entry names no StartupWMClass"
[ "$class" = "WM_CLASS = \"dorvek\", \"$startup_class\"" ] || fail "$class, not $startup_class"

require_client_size "$window" 414 245
offers_no_maximise "$window" "the window"

# The keyboard alone. The lower bound box has the focus at start: a bound that is
# not a number, Tab to the button, Return.
if [ -n "$window_manager" ]; then
    xdotool windowactivate --sync "$window"
else
    xdotool windowfocus --sync "$window"
fi
sleep 0.5
xdotool key ctrl+a
xdotool type abc
xdotool key Tab Return
error_box=$(timeout 10 xdotool search --sync --onlyvisible --name "^$program_title\$" | head -n 1) ||
    fail "no error box after Return on the button with a bound that is not a number"
offers_no_maximise "$error_box" "the error box"
[ "$(blue_result_pixels)" -eq 0 ] || fail "a result shown after the error"
xdotool key Return
wait_until_gone "$program_title" || fail "Return did not dismiss the error box"
sleep 0.5
# Back in the window, the focus on the button again: Shift+Tab to the lower bound box,
# a good bound, Tab and Return compute.
xdotool key shift+Tab ctrl+a
xdotool type -- -1
xdotool key Tab Return
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the process ended after the keyboard's computation"
if xdotool search --onlyvisible --name "^$program_title\$" >/dev/null 2>&1; then
    fail "an error box after typing a good bound: the keys went elsewhere"
fi
[ "$(blue_result_pixels)" -gt 10 ] || fail "no result after the error box was dismissed with Return"

# The middle of Command1, (344, 24, 49, 15) in the client area.
xdotool mousemove --window "$window" 368 31 click 1
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the process ended after the click"

if [ -n "$window_manager" ]; then
    xdotool windowactivate --sync "$window"
    xdotool key alt+F4
else
    "$close_window" "$window" || fail "could not send the close request"
fi
require_clean_exit "$pid" 10 "the close request"
pid=""
echo "window smoke test passed${window_manager:+ under $window_manager}"
