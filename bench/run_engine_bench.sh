#!/usr/bin/env bash
# Measures the extraction engine against its goals and prints the figures:
#   1. tessaly-extract --jobs 1 time as a share of `rg -o -j1 '[0-9.(){}-]+'` on the same ASCII text
#      (the same tokenisation; goal: 0.2 or less),
#   2. the speed-up of --jobs 2 over --jobs 1 on many files (goal: 1.5 or more),
#   3. peak memory of tessaly-extract on a 512 MB file that is one single line (goal: 64 MB or less).
# Usage: bench/run_engine_bench.sh [WORK_DIR]   (needs about 1.2 GB of free space there)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/tessaly-bench.XXXXXX)}
mkdir -p "$work"

bash "$root/scripts/install-deps.sh"
source "$root/bench/bench_timing.sh"
bench_tools ripgrep=rg

bench_build make_corpus bench_scanner

echo "Corpus in $work"
mkdir -p "$work/text" "$work/many" "$work/line"
[ -f "$work/text/doc7.txt" ] || "$build/bin/make_corpus" "$work/text" 8 33554432
[ -f "$work/many/doc399.txt" ] || "$build/bin/make_corpus" "$work/many" 400 1048576
[ -f "$work/line/doc0.txt" ] || "$build/bin/make_corpus" "$work/line" 1 536870912 --single-line
cat "$work"/text/* "$work"/many/* >/dev/null  # into the page cache

rg_time=$(best_of_3 rg -o -j1 '[0-9.(){}-]+' "$work/text")
one_time=$(best_of_3 "$extract" --jobs 1 "$work"/text/*)
echo "256 MB of ASCII text: rg -o -j1 ${rg_time} s, tessaly-extract --jobs 1 ${one_time} s"
printf 'Ratio to rg (goal <= 0.2): %.3f   (%.0f MB/s)\n' \
    "$(echo "$one_time / $rg_time" | bc -l)" "$(echo "256 / $one_time" | bc -l)"

j1=$(best_of_3 "$extract" --jobs 1 "$work"/many/*)
j2=$(best_of_3 "$extract" --jobs 2 "$work"/many/*)
echo "400 files of 1 MB: --jobs 1 ${j1} s, --jobs 2 ${j2} s"
printf 'Speed-up of --jobs 2 (goal >= 1.5, aim 1.6): %.2f\n' "$(echo "$j1 / $j2" | bc -l)"

cat "$work"/line/* >/dev/null
printf 'Peak memory on a 512 MB single-line file (goal <= 64 MB): %s MB\n' "$(peak_mb "$extract" "$work/line/doc0.txt")"

echo
echo "Scanner and reader micro-benchmarks:"
"$build/bin/bench_scanner" --benchmark_min_time=0.2 2>/dev/null | grep -E '^BM_'
