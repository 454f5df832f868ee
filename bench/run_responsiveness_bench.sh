#!/usr/bin/env bash
# Measures how long the window goes without a pass of its event loop while long commands work,
# and prints each figure against its goal (a fraction of a second: 250 ms; 750 ms in a build
# with the sanitizers, which run the same work two to three times slower):
#   1. ten million results through the run, the clipboard copy, both writers and duplicate
#      removal, and a run over 100,000 input rows (the heavy-load test program);
#   2. "Add All File(s) In Folder" over 100,000 files, in one folder and in a hundred.
# The test programs check the output; this script judges only the waits they print.
# Usage: bench/run_responsiveness_bench.sh   (uses build/test; builds the two programs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BENCH_BUILD:-$root/build/test}
goal=${TESSALY_FREEZE_GOAL_MS:-250}

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target results_test_heavy_load inputs_test_hostile_trees >/dev/null

export QT_QPA_PLATFORM=offscreen
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$build/tests/bin/results_test_heavy_load" >"$log" 2>&1 || { cat "$log"; exit 1; }
TESSALY_TREE_FILES=100000 "$build/tests/bin/inputs_test_hostile_trees" manyFiles >>"$log" 2>&1 ||
    { cat "$log"; exit 1; }

echo "Longest wait for the event loop (goal: under $goal ms)"
missed=0
while IFS= read -r line; do
    wait_ms=$(sed -E 's/.*longest wait( for the event loop)? ([0-9]+) ms.*/\2/' <<<"$line")
    what=$(sed -E 's/^QINFO *: *[A-Za-z]+::([A-Za-z]+\([^)]*\)) *//; s/,? *longest wait.*//' <<<"$line")
    verdict=met
    if [ "$wait_ms" -ge "$goal" ]; then verdict=MISSED; missed=1; fi
    printf '  %-70s %6s ms  %s\n' "$what" "$wait_ms" "$verdict"
done < <(grep -E 'longest wait' "$log")
exit $missed
