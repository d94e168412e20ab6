#!/usr/bin/env bash
# Runs screen_reader_listener.py against the real window, as a screen reader would
# meet it: in a D-Bus session of its own, with the accessibility bus it starts, on an
# X server of its own.
# Usage: screen_reader_test.sh DORVEK
set -euo pipefail
here=$(dirname "$0")
# Debian's Python, which has the AT-SPI bindings, whatever python3 comes first in PATH.
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" \
    /usr/bin/python3 "$here/screen_reader_listener.py" "$1"
