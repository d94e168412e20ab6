#!/usr/bin/env bash
# Without a display the window program says so in one Turkish line naming the display
# and ends with status 1: no English message, no abort and core dump.
# Usage: no_display_test.sh DORVEK
set -euo pipefail

dorvek=$1
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"

expect() { # EXPECTED-LINE ENVIRONMENT...
    local expected=$1 status=0 errors
    shift
    errors=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE -u DISPLAY "$@" \
        "$dorvek" 2>&1 >/dev/null) || status=$?
    if [ "$status" -ne 1 ] || [ "$errors" != "$expected" ]; then
        fail_later "with $*: status $status, standard error:"
        printf '%s\n' "$errors" >&2
    fi
}

# Display numbers from 60000 up are far beyond what any machine runs.
expect 'dorvek: pencere açılamadı: ":60123" ekranına bağlanılamadı' DISPLAY=:60123
expect 'dorvek: pencere açılamadı: hiçbir ekran belirtilmemiş'
exit "$failed"
