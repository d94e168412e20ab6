#!/usr/bin/env bash
# Times the window's start, from process start to the window mapped and painted, for
# dorvek and for a minimal Qt program with the same widgets, alternating in one run
# under one Xvfb; also each process's peak memory, by /usr/bin/time.
# Usage: bench/startup/measure_startup.sh BUILD-DIR [RUNS]
# BUILD-DIR is an optimised build configured with -DDORVEK_BENCHMARKS=ON.
set -euo pipefail
shopt -s inherit_errexit # a failed start inside $(...) stops the run

build=$(realpath "$1")
runs=${2:-20}

# A black root, so that a window not yet painted shows a single colour.
if [ "${DORVEK_STARTUP_UNDER_XVFB:-}" != 1 ]; then
    exec env DORVEK_STARTUP_UNDER_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -br" \
        "$0" "$@"
fi

unset QT_QPA_PLATFORM # the X11 platform, even where tests chose offscreen
watch=$build/bench/first-paint-watch
memory=$(mktemp)
trap 'rm -f "$memory"' EXIT

# Prints "milliseconds kilobytes" for one start of a program.
measure() {
    local instance=$1
    shift
    local milliseconds
    if ! milliseconds=$("$watch" "$instance" /usr/bin/time -f %M -o "$memory" "$@"); then
        echo "$instance failed: $(tr '\n' ' ' <"$memory")" >&2
        return 1
    fi
    echo "$milliseconds $(cat "$memory")"
}

programs=(dorvek minimal-window)
declare -A command=([dorvek]=$build/app/dorvek [minimal-window]=$build/bench/minimal-window)
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
awk -v a="${medians[dorvek]}" -v b="${medians[minimal-window]}" \
    'BEGIN {printf "start-up ratio (medians): %.2f (target: at most 1.3)\n", a / b}'
