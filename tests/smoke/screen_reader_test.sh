#!/usr/bin/env bash
# Runs screen_reader_listener.py against the real window, as a screen reader would
# meet it (see screen_reader_session.sh).
# Usage: screen_reader_test.sh DORVEK
set -euo pipefail
here=$(dirname "$0")
# Debian's Python, which has the AT-SPI bindings, whatever python3 comes first in PATH.
exec "$here/screen_reader_session.sh" /usr/bin/python3 "$here/screen_reader_listener.py" "$1"
