#!/usr/bin/env bash
# Two builds of the same sources side by side in one run, to weigh a change of build
# flags: one click's Integrate call and one playing of the curve picture (Google
# Benchmark, the two builds taking turns for ROUNDS rounds), the instructions of one
# Integrate call (callgrind), then the start to first paint
# (bench/startup/measure_startup.sh, alternating under one Xvfb). Prints each median
# and the ratio AFTER / BEFORE. The hardening, for instance:
#
#   cmake --preset bench -B build-bench-plain
#   (eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)" &&
#       cmake --preset bench)
#   (build both)
#   bench/compare_builds.sh build-bench-plain build-bench [ROUNDS [STARTS]]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../scripts/lib/common.sh
source scripts/lib/common.sh

before=$1
after=$2
rounds=${3:-10}
starts=${4:-20}
work=$(mktemp -d)
remove_on_exit "$work"

# One round: each build's benchmark in turn, three repetitions each, as JSON lines.
for round in $(seq "$rounds"); do
    for build in "$before" "$after"; do
        for benchmark in integrate_benchmark metafile_player_benchmark; do
            "$build/bench/$benchmark" --benchmark_filter='^(IntegrateCall|playCurvePicture/1)$' \
                --benchmark_repetitions=3 --benchmark_min_time=0.1 --benchmark_format=json \
                >"$work/$(basename "$build").$benchmark.$round.json" 2>/dev/null
        done
    done
done

python3 - "$work" "$(basename "$before")" "$(basename "$after")" <<'EOF'
import glob, json, statistics, sys

work, before, after = sys.argv[1:4]

def times(build, case):
    found = []
    for path in glob.glob(f"{work}/{build}.*.json"):
        for run in json.load(open(path))["benchmarks"]:
            if run.get("run_type") == "iteration" and run["run_name"] == case:
                found.append(run["cpu_time"])
    return found

for case, label in (("IntegrateCall", "the click's Integrate call"),
                    ("playCurvePicture/1", "one playing of the curve picture")):
    a, b = times(before, case), times(after, case)
    print(f"{label}, median of {len(a)} and {len(b)}: {before} {statistics.median(a):.1f} us, "
          f"{after} {statistics.median(b):.1f} us, ratio {statistics.median(b) / statistics.median(a):.3f}")
EOF

# Instructions, which a busy machine does not disturb: callgrind's count for one call,
# as measure_integrate_cost.sh gives it for each build.
declare -A instructions
for build in "$before" "$after"; do
    instructions[$build]=$(bench/measure_integrate_cost.sh "$build" |
        sed -n 's/^instructions a call: Integrate call *\([0-9]*\) .*/\1/p')
done
awk -v a="${instructions[$before]}" -v b="${instructions[$after]}" \
    -v before="$(basename "$before")" -v after="$(basename "$after")" \
    'BEGIN {printf "instructions in one Integrate call: %s %d, %s %d, ratio %.3f\n",
                   before, a, after, b, b / a}'

bench/startup/measure_startup.sh "$after" "$starts" "$before"
