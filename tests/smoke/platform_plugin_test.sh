#!/usr/bin/env bash
# A platform plugin that cannot be found is named in one Turkish line, with those that
# can, and status 1; a plugin that is there but meets no display still blames the
# display. Run under a working display (xvfb-run): the display is never the fault here
# unless a case names another.
# Usage: platform_plugin_test.sh DORVEK QTPATHS
set -euo pipefail

dorvek=$1
platforms=$("$2" --plugin-dir)/platforms
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"
work=$(mktemp -d)
remove_on_exit "$work"

# A copy of the program whose qt.conf points at a plugin folder of three known plugins,
# so the list Qt offers is the same on every machine.
mkdir -p "$work/bin" "$work/plugins/platforms"
cp "$dorvek" "$work/bin/dorvek"
printf '[Paths]\nPlugins = %s\n' "$work/plugins" >"$work/bin/qt.conf"
for plugin in offscreen minimal xcb; do
    ln -s "$platforms/libq$plugin.so" "$work/plugins/platforms/"
done

# Runs a program with the environment given and checks its status and whole standard
# error, or with a pattern instead of a line.
expect() { # PROGRAM EXPECTED-LINE|PATTERN ENVIRONMENT... [-- ARGUMENTS...]
    local program=$1 expected=$2 status=0 errors
    shift 2
    local environment=() arguments=()
    while [ "$#" -gt 0 ] && [ "$1" != -- ]; do
        environment+=("$1")
        shift
    done
    [ "$#" -gt 0 ] && shift
    arguments=("$@")
    errors=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE \
        -u QT_PLUGIN_PATH -u QT_QPA_PLATFORM_PLUGIN_PATH "${environment[@]}" \
        "$program" "${arguments[@]}" 2>&1 >/dev/null) || status=$?
    # shellcheck disable=SC2053 # the expectation may be a pattern on purpose
    if [ "$status" -ne 1 ] || [[ "$errors" != $expected ]]; then
        fail_later "${environment[*]} ${arguments[*]}: status $status, standard error:"
        printf '%s\n' "$errors" >&2
    fi
}

[ -n "${DISPLAY:-}" ] || fail "run under a display (xvfb-run)"

known=("$work/bin/dorvek")
listed='kullanılabilen platform eklentileri: minimal, offscreen, xcb'
expect "${known[0]}" "dorvek: pencere açılamadı: \"bogus\" platform eklentisi bulunamadı; $listed" \
    QT_QPA_PLATFORM=bogus
expect "${known[0]}" "dorvek: pencere açılamadı: \"nonesuch\" platform eklentisi bulunamadı; $listed" \
    -- -platform nonesuch
expect "${known[0]}" "dorvek: pencere açılamadı: \"wayland\" platform eklentisi bulunamadı; $listed" \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-0
# The plugin's name, not the display, even where the display cannot be reached either.
expect "${known[0]}" "dorvek: pencere açılamadı: \"bogus\" platform eklentisi bulunamadı; $listed" \
    QT_QPA_PLATFORM=bogus DISPLAY=:60123
# xcb is there: an unreachable display is the display's fault, as before.
expect "${known[0]}" 'dorvek: pencere açılamadı: ":60123" ekranına bağlanılamadı' \
    QT_QPA_PLATFORM=xcb DISPLAY=:60123
expect "${known[0]}" 'dorvek: pencere açılamadı: ":60123" ekranına bağlanılamadı' \
    QT_QPA_PLATFORM='bogus;xcb' DISPLAY=:60123

# The program as built, with the plugins this machine has: the same line, whatever
# the list holds beyond the two plugins every Qt build of ours ships.
expect "$dorvek" \
    'dorvek: pencere açılamadı: "bogus" platform eklentisi bulunamadı; kullanılabilen platform eklentileri: *offscreen*' \
    QT_QPA_PLATFORM=bogus
expect "$dorvek" \
    'dorvek: pencere açılamadı: "bogus" platform eklentisi bulunamadı; kullanılabilen platform eklentileri: *xcb*' \
    QT_QPA_PLATFORM=bogus
exit "$failed"
