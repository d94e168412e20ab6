# shellcheck shell=bash
# Steps the window smoke tests share, on Linux and under wine; sourced, not run. The
# sourcing script defines fail MESSAGE, which ends it.

# Whether WINDOW's client area is WIDTH x HEIGHT pixels; fails naming the size it has.
require_client_size() { # WINDOW WIDTH HEIGHT
    local geometry width height
    geometry=$(xwininfo -id "$1")
    width=$(awk '/^ *Width:/ {print $2}' <<<"$geometry")
    height=$(awk '/^ *Height:/ {print $2}' <<<"$geometry")
    if [ "$width" != "$2" ] || [ "$height" != "$3" ]; then
        fail "client area is ${width} x ${height}"
    fi
}

# Waits up to 5 s for the last window named NAME to go; false if it stays.
wait_until_gone() { # NAME
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Waits up to SECONDS for process PID to end after WHAT, and fails unless it ends
# with status 0.
require_clean_exit() { # PID SECONDS WHAT
    for _ in $(seq $(($2 * 10))); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && fail "still running $2 s after $3"
    local status=0
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status"
}
