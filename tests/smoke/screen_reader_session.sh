#!/usr/bin/env bash
# Runs COMMAND as a screen reader would meet it: in a D-Bus session of its own, with
# the accessibility bus started in it, on an X server of its own, and with Qt's
# accessibility switched on, as a desktop with a screen reader running has it.
# Usage: screen_reader_session.sh COMMAND [ARGUMENT...]
set -euo pipefail

if [ "${1:-}" = --in-session ]; then
    shift
    # A screen reader starts the accessibility bus; Qt only waits for it to appear.
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$@"
fi

# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
scratch=$(mktemp -d)
remove_on_exit "$scratch"
# Nothing of the user's desktop is read or changed: the session keeps its settings in
# memory and its files (the accessibility bus's socket among them) in a scratch
# folder, and no accessibility bus of the user's is reached.
export HOME=$scratch XDG_CONFIG_HOME=$scratch/config XDG_CACHE_HOME=$scratch/cache \
    XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch/runtime GSETTINGS_BACKEND=memory
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset AT_SPI_BUS_ADDRESS
# A desktop with a screen reader switched on keeps that in the user's settings, which
# Qt reads once at start; here Qt is told so directly, and no setting is touched.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- "$0" --in-session "$@"
