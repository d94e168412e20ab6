#!/usr/bin/env bash
# The real window under Xvfb: it maps with its title and client size, survives a
# click on "Sonuç", and a close request ends the process with status 0.
# Usage (inside an X display, e.g. under xvfb-run): window_smoke_test.sh DORVEK CLOSE-WINDOW
set -euo pipefail

dorvek=$1
close_window=$2
title="Dorvek Dağılım"

fail() {
    echo "FAIL: $*" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
}

# The test suite may run with Qt's offscreen platform; this test needs the real one.
unset QT_QPA_PLATFORM
# A Turkish user's locale, which the C library here may well not have generated.
LC_ALL=tr_TR.UTF-8 "$dorvek" &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --classname '^dorvek$' | head -n 1) ||
    fail "no window of dorvek mapped"
[ -n "$window" ] || fail "no window of dorvek mapped"

# The title as window managers read it, in UTF-8 whatever the locale here.
name=$(LC_ALL=C.UTF-8 xprop -id "$window" -notype _NET_WM_NAME)
[ "$name" = "_NET_WM_NAME = \"$title\"" ] || fail "title is $name"
# Tools that read the legacy title (xdotool --name among them) must find it too.
by_name=$(LC_ALL=C.UTF-8 xdotool search --name "^$title\$" | head -n 1) || true
[ "$by_name" = "$window" ] || fail "the legacy title (WM_NAME) is $(xprop -id "$window" WM_NAME)"

geometry=$(xwininfo -id "$window")
width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
[ "$width" = 414 ] && [ "$height" = 245 ] || fail "client area is ${width} x ${height}"

# The middle of Command1, (344, 24, 49, 15) in the client area.
xdotool mousemove --window "$window" 368 31 click 1
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the process ended after the click"

"$close_window" "$window" || fail "could not send the close request"
for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "still running 10 s after the close request"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "window smoke test passed"
