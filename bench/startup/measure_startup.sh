#!/usr/bin/env bash
# Times the window's start, from process start to the window mapped and painted, for
# dorvek and for a minimal Qt program with the same widgets, alternating in one run
# under one Xvfb; also each process's peak memory, by /usr/bin/time. Given a second
# build, it times dorvek from each build instead, to weigh a change of flags.
# Usage: bench/startup/measure_startup.sh BUILD-DIR [RUNS [OTHER-BUILD-DIR]]
# Each BUILD-DIR is an optimised build with the benchmarks (cmake --preset bench).
set -euo pipefail
shopt -s inherit_errexit # a failed start inside $(...) stops the run
# shellcheck source=../../scripts/lib/common.sh
source "$(dirname "$0")/../../scripts/lib/common.sh"

build=$(realpath "$1")
runs=${2:-20}
other=${3:+$(realpath "$3")}

# A black root, so that a window not yet painted shows a single colour.
if [ "${DORVEK_STARTUP_UNDER_XVFB:-}" != 1 ]; then
    exec env DORVEK_STARTUP_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -br" \
        "$0" "$@"
fi

unset QT_QPA_PLATFORM # the X11 platform, even where tests chose offscreen
watch=$build/bench/first-paint-watch
memory=$(mktemp)
# As in a desktop session; without one Qt warns on every start.
runtime=$(mktemp -d)
remove_on_exit "$memory" "$runtime"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime}

# Prints "milliseconds kilobytes" for one start of a program.
measure() {
    local name=$1
    shift
    # The window's instance name is the program's file name.
    local instance milliseconds
    instance=$(basename "$1")
    if ! milliseconds=$("$watch" "$instance" /usr/bin/time -f %M -o "$memory" "$@"); then
        echo "$name failed: $(tr '\n' ' ' <"$memory")" >&2
        return 1
    fi
    echo "$milliseconds $(cat "$memory")"
}

if [ -z "$other" ]; then
    programs=(dorvek minimal-window)
    declare -A command=([dorvek]=$build/app/dorvek [minimal-window]=$build/bench/minimal-window)
    target=" (target on an idle machine: at most 1.1)"
else
    programs=("$(basename "$build")" "$(basename "$other")")
    declare -A command=([${programs[0]}]=$build/app/dorvek [${programs[1]}]=$other/app/dorvek)
    target=""
fi
declare -A results

# One start of each first, so both find their files in the page cache.
for program in "${programs[@]}"; do
    measure "$program" "${command[$program]}" >/dev/null
done
for _ in $(seq "$runs"); do
    for program in "${programs[@]}"; do
        results[$program]+="$(measure "$program" "${command[$program]}")"$'\n'
    done
done

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

printf '%-16s %12s %12s %12s %16s\n' program "median ms" "min ms" "max ms" "peak memory KiB"
declare -A medians
for program in "${programs[@]}"; do
    times=$(awk 'NF {print $1}' <<<"${results[$program]}")
    kilobytes=$(awk 'NF {print $2}' <<<"${results[$program]}")
    medians[$program]=$(median <<<"$times")
    printf '%-16s %12s %12s %12s %16s\n' "$program" "${medians[$program]}" \
        "$(sort -n <<<"$times" | head -n 1)" "$(sort -n <<<"$times" | tail -n 1)" \
        "$(median <<<"$kilobytes")"
done
awk -v a="${medians[${programs[0]}]}" -v b="${medians[${programs[1]}]}" -v target="$target" \
    -v names="${programs[0]} / ${programs[1]}" \
    'BEGIN {printf "start-up ratio, %s (medians): %.2f%s\n", names, a / b, target}'
