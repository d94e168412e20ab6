#!/usr/bin/env bash
# Runs screen_reader_listener.py against the real window, as a screen reader would
# meet it: in a D-Bus session of its own, with the accessibility bus it starts, on an
# X server of its own.
# Usage: screen_reader_test.sh DORVEK
set -euo pipefail
here=$(dirname "$0")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Nothing of the user's desktop is read or changed: the session keeps its settings in
# memory and its files (the accessibility bus's socket among them) in a scratch
# folder, and no accessibility bus of the user's is reached.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache \
    XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime GSETTINGS_BACKEND=memory
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset AT_SPI_BUS_ADDRESS
# Debian's Python, which has the AT-SPI bindings, whatever python3 comes first in PATH.
dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
    /usr/bin/python3 "$here/screen_reader_listener.py" "$1"
