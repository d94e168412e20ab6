#!/usr/bin/env bash
# Counts the instructions that dorvek and the minimal Qt window with the same widgets
# execute from process start until their first paint, and the close that follows,
# under callgrind in one Xvfb. Unlike the times of measure_startup.sh, the counts
# hardly move when the machine is busy. Keeps the profiles when given a folder.
# Usage: bench/startup/count_startup_instructions.sh BUILD-DIR [RUNS [PROFILE-DIR]]
# BUILD-DIR is an optimised build with the benchmarks (cmake --preset bench).
set -euo pipefail
shopt -s inherit_errexit
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"

build=$(realpath "$1")
runs=${2:-3}
keep=${3:+$(realpath "$3")}

if [ "${DORVEK_STARTUP_UNDER_XVFB:-}" != 1 ]; then
    exec env DORVEK_STARTUP_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -br" \
        "$0" "$@"
fi

unset QT_QPA_PLATFORM # the X11 platform, even where tests chose offscreen
watch=$build/bench/first-paint-watch
work=$(mktemp -d)
remove_on_exit "$work"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}

# Prints the instructions of one start of a program, from its first to its last.
count() {
    local name=$1 program=$2 run=$3
    local profile=$work/$name.$run.callgrind
    if ! "$watch" "$(basename "$program")" valgrind --tool=callgrind \
        --callgrind-out-file="$profile" "$program" >/dev/null 2>"$work/$name.log"; then
        tail -n 5 "$work/$name.log" >&2
        echo "$name did not start and paint under callgrind" >&2
        return 1
    fi
    if [ -n "$keep" ]; then
        cp "$profile" "$keep/"
    fi
    sed -n 's/^totals: *//p' "$profile"
}

declare -A command=([dorvek]=$build/app/dorvek [minimal-window]=$build/bench/minimal-window)
declare -A counts
for run in $(seq "$runs"); do
    for name in dorvek minimal-window; do
        counts[$name]+="$(count "$name" "${command[$name]}" "$run")"$'\n'
    done
done

median() { sort -n | awk 'NF {v[++n] = $1} END {print (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2}'; }

printf '%-16s %16s %16s %16s\n' program "median" "min" "max"
declare -A medians
for name in dorvek minimal-window; do
    medians[$name]=$(median <<<"${counts[$name]}")
    printf '%-16s %16s %16s %16s\n' "$name" "${medians[$name]}" \
        "$(awk NF <<<"${counts[$name]}" | sort -n | head -n 1)" \
        "$(awk NF <<<"${counts[$name]}" | sort -n | tail -n 1)"
done
awk -v a="${medians[dorvek]}" -v b="${medians[minimal-window]}" \
    'BEGIN {printf "start-up instructions, dorvek / minimal-window (medians): %.3f\n", a / b}'
