#!/usr/bin/env bash
# Builds for Windows with the tests (scripts/build-windows.sh --tests) and runs under
# wine, on Xvfb: the whole CTest suite; dorvek.exe's window driven by the keyboard;
# dorvek-calc.exe in a Turkish and an English setting; and the installer's round trip,
# silent install to silent uninstall. Not part of scripts/test.sh: the first run builds
# Qt for Windows, about 20 minutes on 2 cores. Every wine prefix it uses is its own,
# under build-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-windows.sh --tests

build="build-windows"
jobs=$(nproc)
echo "test-windows: the test suite under wine"
if ! ctest --test-dir "$build" --output-on-failure -j "$jobs"; then
    # Wine fails to start a process about once in a few thousand starts, at once and
    # with no output: what failed runs once more, alone, and must pass then.
    echo "test-windows: the failed tests once more"
    ctest --test-dir "$build" --rerun-failed --output-on-failure
fi

stage=$(find "$build/stage" -mindepth 1 -maxdepth 1 -type d)
setup=$(find "$build/dist" -name '*-setup.exe')
export WINEPREFIX=$PWD/$build/wine-checks LOCPATH=$PWD/$build/locales
rm -rf "$WINEPREFIX"
# A new prefix, made before the display exists; its wine must have ended, or the
# window would meet a desktop process started without one.
scripts/windows/wine-run.sh wineboot --init >/dev/null 2>&1
scripts/windows/wine-run.sh wineserver -w

echo "test-windows: the version records"
tests/windows/version_record.py "$stage/dorvek.exe" "$stage/dorvek-calc.exe"

echo "test-windows: dorvek.exe's window"
xvfb-run -a -s "-screen 0 1024x768x24" tests/windows/window_smoke_test.sh "$stage/dorvek.exe" \
    ${DORVEK_SCREENSHOTS:+"$DORVEK_SCREENSHOTS"}

echo "test-windows: dorvek-calc.exe"
tests/windows/calc_checks.sh "$stage/dorvek-calc.exe"

echo "test-windows: the installer"
scripts/windows/wine-run.sh wineserver -w
rm -rf "$WINEPREFIX"
tests/windows/installer_round_trip.sh "$setup"
echo "test-windows: all passed"
