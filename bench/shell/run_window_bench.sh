#!/usr/bin/env bash
# Measures the window and prints the figures:
#   1. the window's extraction (offscreen, real models and views, passes of Qt's event loop)
#      against tessaly-extract --jobs 1 on the same 300 MB of generated text, wall and CPU time,
#      best and median of alternated runs (goal: 1.3 or less),
#   2. a million-row result list: appended in batches, scrolled page by page and at random,
#      cleared;
#   3. the memory a result row takes with its source, at ten million rows (goal: 64 bytes).
# Usage: bench/shell/run_window_bench.sh [WORK_DIR]   (needs about 300 MB of free space there)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-/tmp/tessaly-window-bench}
mkdir -p "$work/corpus"

bash "$root/scripts/install-deps.sh"

build=${TESSALY_BENCH_BUILD:-$root/build/bench-window}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF \
    -DTESSALY_BUILD_BENCH=ON >/dev/null
cmake --build "$build" --target tessaly-extract make_corpus bench_window_extraction \
    bench_result_view bench_results >/dev/null

echo "Corpus in $work/corpus"
[ -f "$work/corpus/doc199.txt" ] || "$build/bin/make_corpus" "$work/corpus" 200 1572864
cat "$work"/corpus/* >/dev/null  # into the page cache

export QT_QPA_PLATFORM=offscreen
echo
echo "Extraction in the window against tessaly-extract --jobs 1 (load average: $(cut -d' ' -f1-3 /proc/loadavg)):"
"$build/bin/bench_window_extraction" --extract "$build/bin/tessaly-extract" --runs 5 \
    "$work"/corpus/* 2>/dev/null

echo
echo "A million-row result list:"
"$build/bin/bench_result_view" --benchmark_min_time=0.5 2>/dev/null | grep -E '^BM_'

echo
echo "Memory of a result row with its source, ten million rows (goal: 64 bytes or less):"
"$build/bin/bench_results" --benchmark_filter=BM_ListMemory 2>/dev/null | grep -E '^BM_'
