#!/usr/bin/env bash
# What one Integrate call costs against the bare double loop doing the same
# arithmetic: the ratio in time (Google Benchmark, both cases interleaved in one
# run) and in instructions (callgrind, counting only inside each case's function).
# In instructions the call may cost at most 1.2 times the loop with GCC and 1.33 with
# clang, which knows less of the results' signs and so tests more; in time, on a
# machine others share, 1.5. The script fails otherwise.
#
#   bench/measure_integrate_cost.sh [BUILD_DIR] [CALLS]
#
# BUILD_DIR is an optimised build with the benchmarks (default: build-bench,
# configured here with `cmake --preset bench` if missing); CALLS is how many calls of each case
# callgrind counts (default 20). On Debian 12, configure a clang build with
# -DCMAKE_CXX_FLAGS=-gdwarf-4: its valgrind 3.19 cannot read clang 14's default
# DWARF 5. Debian 13's valgrind reads clang 19's, and GCC's builds need nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../scripts/lib/common.sh
source scripts/lib/common.sh

build=${1:-build-bench}
calls=${2:-20}
time_limit=1.5

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake --preset bench -B "$build" >/dev/null
fi
cmake --build "$build" --target integrate_benchmark >/dev/null
if grep -q '^CMAKE_CXX_COMPILER:.*clang' "$build/CMakeCache.txt"; then
    instruction_limit=1.33
else
    instruction_limit=1.2
fi
benchmark="$build/bench/integrate_benchmark"
work=$(mktemp -d)
remove_on_exit "$work"

# Time: ten interleaved repetitions of each case; the medians are compared, which a
# busy machine disturbs least.
"$benchmark" --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
    --benchmark_min_time=0.2 --benchmark_format=json >"$work/time.json" 2>/dev/null

# Instructions: exactly $calls iterations of each case (one repetition of one
# iteration each), counted only inside the function the case calls.
count_instructions() {
    local case=$1 function=$2
    if ! valgrind --tool=callgrind --callgrind-out-file="$work/$case.out" \
        --toggle-collect="*$function*" \
        "$benchmark" --benchmark_filter="^$case\$" --benchmark_min_time=0 \
        --benchmark_repetitions="$calls" --benchmark_format=json \
        >"$work/$case.json" 2>"$work/$case.log"; then
        tail -n 5 "$work/$case.log" >&2
        echo "callgrind failed on $case" >&2
        if valgrind --version | grep -q '^valgrind-3\.19\.'; then
            echo "valgrind 3.19 cannot read clang 14's DWARF 5: configure with -gdwarf-4" >&2
        fi
        return 1
    fi
    local total
    total=$(sed -n 's/^summary: *//p' "$work/$case.out")
    local iterations
    iterations=$(python3 -c '
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
print(sum(run["iterations"] for run in runs if run.get("run_type") == "iteration"))' \
        "$work/$case.json")
    echo "$total $iterations"
}
integrate_count=$(count_instructions IntegrateCall runIntegrateCall)
loop_count=$(count_instructions BareDoubleLoop runBareLoop)
read -r integrate_total integrate_calls <<<"$integrate_count"
read -r loop_total loop_calls <<<"$loop_count"

python3 - "$work/time.json" "$integrate_total" "$integrate_calls" "$loop_total" "$loop_calls" \
    "$time_limit" "$instruction_limit" <<'EOF'
import json, statistics, sys

runs = json.load(open(sys.argv[1]))["benchmarks"]
times = {}
for run in runs:
    if run.get("run_type") == "iteration":
        times.setdefault(run["run_name"], []).append(run["cpu_time"])
integrate_time = statistics.median(times["IntegrateCall"])
loop_time = statistics.median(times["BareDoubleLoop"])
time_ratio = integrate_time / loop_time

integrate_total, integrate_calls, loop_total, loop_calls = map(int, sys.argv[2:6])
limits = {"time": float(sys.argv[6]), "instructions": float(sys.argv[7])}
integrate_per_call = integrate_total / integrate_calls
loop_per_call = loop_total / loop_calls
instruction_ratio = integrate_per_call / loop_per_call

print(f"time, median of 10:  Integrate call {integrate_time:9.1f} us   "
      f"bare loop {loop_time:9.1f} us   ratio {time_ratio:.3f}")
print(f"instructions a call: Integrate call {integrate_per_call:9.0f}      "
      f"bare loop {loop_per_call:9.0f}      ratio {instruction_ratio:.3f}"
      f"   ({integrate_calls} and {loop_calls} calls counted)")
failed = [f"{name} (limit {limits[name]})"
          for name, ratio in (("time", time_ratio), ("instructions", instruction_ratio))
          if ratio > limits[name]]
if failed:
    print(f"over the limit: {', '.join(failed)}")
    sys.exit(1)
print(f"within the limits: time {limits['time']}, instructions {limits['instructions']}")
EOF
