#!/usr/bin/env bash
# wine-run.sh PROGRAM [ARGUMENT...]
# wine-run.sh wineserver [OPTION...]
# Runs a 64-bit Windows program under wine, as the build's tools and the tests run:
# wine's own messages off, and no offer to install Mono or Gecko into a new prefix.
# Or runs the wineserver of the same wine, e.g. with -w to wait until the prefix is idle.
# The prefix comes from WINEPREFIX; DORVEK_WINE_PATH, folders separated by ':', is
# added to the program's PATH as Windows paths.
set -euo pipefail
wine=/usr/lib/wine/wine64 # Debian 12's; the wine command would look for a 32-bit wine first
if [ ! -x "$wine" ]; then
    wine=$(command -v wine64 || command -v wine) || {
        echo "wine-run: wine is not installed" >&2
        exit 127
    }
fi
if [ "${1:-}" = wineserver ]; then
    shift
    server=$(dirname "$(readlink -f "$wine")")/wineserver
    [ -x "$server" ] || server=$(command -v wineserver)
    exec "$server" "$@"
fi
if [ -n "${DORVEK_WINE_PATH:-}" ]; then
    IFS=: read -r -a folders <<<"$DORVEK_WINE_PATH"
    for folder in "${folders[@]}"; do
        WINEPATH="${WINEPATH:+$WINEPATH;}Z:${folder//\//\\}"
    done
    export WINEPATH
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec "$wine" "$@"
