#!/usr/bin/env bash
# How close one core of tessaly-extract comes to a minimal scanner on the same bytes, by
# processor time (user + system), each pair of runs taken by turns so that a drift of a shared
# machine's speed falls on both; prints the ratio of the best times and the median of the
# pairs' ratios, with the goals:
#   1. plain output, --jobs 1, on three ASCII corpora of 256 MB (mixed text, dense, sparse):
#      <= 1.25x the minimal scanner,
#   2. 100 MB in 100,000 files of 1 KB: <= 1.3x the minimal scanner,
#   3. the same 50 MB text as UTF-16LE and as UTF-32LE: <= 1.3x its 8-bit reading,
#   4. the options against plain output on the mixed text (-H -n <= 1.25, jsonl <= 2,
#      --count <= 1.5, --unicode-separators <= 1.5) and --jobs 2 against --jobs 1 by wall time
#      (>= 1.6 on an idle machine).
# The minimal scanner is built from reference_scan.c (REFERENCE_DIR, by default the shared perf
# folder beside the repository) with gcc -O2 -mavx2 -mpopcnt -mbmi; it reads ASCII and 8-bit
# text only, so the wide texts are measured against the extractor's own 8-bit reading.
# Usage: bench/run_single_core_bench.sh [WORK_DIR] [ROUNDS]   (ROUNDS pairs per figure, default 5;
#   EXTRACT=path measures that binary instead of a fresh release build; FIGURES=regex measures
#   only the figures whose name it matches; about 1.6 GB in WORK_DIR)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/tessaly-single.XXXXXX)}
rounds=${2:-5}
reference_dir=${REFERENCE_DIR:-$root/../shared/perf}
mkdir -p "$work"

need=()
command -v bc >/dev/null || need+=(bc)
command -v iconv >/dev/null || need+=(libc-bin)
command -v strace >/dev/null || need+=(strace)
if [ ${#need[@]} -gt 0 ]; then
    apt-get update -qq && apt-get install -y --no-install-recommends "${need[@]}" >/dev/null
fi

build="$root/build/bench"
corpora_made=true
for dir in text dense sparse small u8 u16 u32; do [ -d "$work/$dir" ] || corpora_made=false; done
if [ -z "${EXTRACT:-}" ] || { [ "$corpora_made" = false ] && [ ! -x "$build/bin/make_corpus" ]; }; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF \
        -DTESSALY_BUILD_GUI=OFF >/dev/null
    cmake --build "$build" --target tessaly-extract make_corpus >/dev/null
fi
extract=${EXTRACT:-$build/bin/tessaly-extract}
reference="$work/reference_scan"
[ -x "$reference" ] || gcc -O2 -mavx2 -mpopcnt -mbmi -o "$reference" "$reference_dir/reference_scan.c"

echo "Corpora in $work"
corpus() {  # DIR COMMAND...: makes DIR with COMMAND unless it is there
    local dir=$1
    shift
    [ -d "$work/$dir" ] || { mkdir -p "$work/$dir.part" && "$@" "$work/$dir.part" >/dev/null &&
        mv "$work/$dir.part" "$work/$dir"; }
}
make_corpus() { "$build/bin/make_corpus" "$3" "$1" "$2"; }  # FILES BYTES DIR
dense_sparse() { python3 "$reference_dir/make_dense_sparse.py" "$1" "$3" 256 16 "$2"; }  # KIND SEED DIR
corpus text make_corpus 8 33554432
corpus dense dense_sparse dense 1
corpus sparse dense_sparse sparse 2
corpus small make_corpus 100000 1024
corpus u8 make_corpus 1 52428800
wide() {  # ENCODING MARK DIR
    printf '%b' "$2" >"$3/doc0.txt" && iconv -f latin1 -t "$1" "$work/u8/doc0.txt" >>"$3/doc0.txt"
}
corpus u16 wide UTF-16LE '\xff\xfe'
corpus u32 wide UTF-32LE '\xff\xfe\x00\x00'
for dir in text dense sparse small u8 u16 u32; do
    find "$work/$dir" -type f -print0 | xargs -0 cat >/dev/null  # into the page cache
done

# Processor time (user + system) of one run, output thrown away, in seconds to the
# microsecond (time(1) gives hundredths, too coarse for runs of a few tenths).
cpu() {
    python3 -c 'import os, subprocess, sys
p = subprocess.Popen(sys.argv[1:], stdout=subprocess.DEVNULL)
_, _, u = os.wait4(p.pid, 0)
print("%.4f" % (u.ru_utime + u.ru_stime))' "$@"
}
wall() {
    python3 -c 'import subprocess, sys, time
t = time.monotonic()
subprocess.run(sys.argv[1:], stdout=subprocess.DEVNULL)
print("%.4f" % (time.monotonic() - t))' "$@"
}
median() { sort -g | awk '{ v[NR] = $1 } END { printf "%.3f", NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# NAME GOAL MEASURE "COMMAND A" "COMMAND B": A / B over ROUNDS pairs taken by turns.
compare() {
    local name=$1 goal=$2 measure=$3 a=$4 b=$5 ta tb best_a="" best_b="" ratios=""
    [[ "$name" =~ ${FIGURES:-.} ]] || return 0
    for _ in $(seq "$rounds"); do
        # shellcheck disable=SC2086
        ta=$($measure $a)
        # shellcheck disable=SC2086
        tb=$($measure $b)
        [ -z "$best_a" ] || [ "$(echo "$ta < $best_a" | bc -l)" = 1 ] && best_a=$ta
        [ -z "$best_b" ] || [ "$(echo "$tb < $best_b" | bc -l)" = 1 ] && best_b=$tb
        ratios+="$(echo "$ta / ($tb + 0.0005)" | bc -l)"$'\n'
    done
    printf '%-34s %8.3f s %8.3f s   best %5.2f   median %5.2f   (goal %s)\n' "$name" "$best_a" \
        "$best_b" "$(echo "$best_a / ($best_b + 0.0005)" | bc -l)" \
        "$(printf '%s' "$ratios" | median)" "$goal"
}

printf 'Load before: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-34s %10s %10s\n' "figure" "measured" "against"
for dir in text dense sparse; do
    compare "$dir: --jobs 1 / minimal" "<= 1.25" cpu "$extract --jobs 1 $work/$dir" \
        "$reference $work/$dir"
done
compare "small files: --jobs 1 / minimal" "<= 1.3" cpu "$extract --jobs 1 $work/small" \
    "$reference $work/small"
# System calls per small file on the normal path (a folder walked, output to a pipe): every
# call that names, opens, examines, reads or closes a file, counted by strace.
if command -v strace >/dev/null; then
    calls="$work/strace.txt"
    strace -f -c -o "$calls" "$extract" --jobs 1 "$work/small" | cat >/dev/null
    files=$(find "$work/small" -type f | wc -l)
    awk -v files="$files" '$NF ~ /^(open|openat|stat|lstat|fstat|newfstatat|statx|read|pread64|close|fadvise64)$/ {
        n += $4 } END {
        printf "%-34s %8.2f calls per file            (goal <= 4)\n", "small files: system calls", n / files }' "$calls"
fi
compare "UTF-16LE / 8-bit" "<= 1.3" cpu "$extract --jobs 1 $work/u16" "$extract --jobs 1 $work/u8"
compare "UTF-32LE / 8-bit" "<= 1.3" cpu "$extract --jobs 1 $work/u32" "$extract --jobs 1 $work/u8"
plain="$extract --jobs 1 $work/text"
compare "-H -n / plain" "<= 1.25" cpu "$extract --jobs 1 -H -n $work/text" "$plain"
compare "--format jsonl / plain" "<= 2" cpu "$extract --jobs 1 --format jsonl $work/text" "$plain"
compare "--count / plain (processor)" "<= 1.5" cpu "$extract --jobs 1 --count $work/text" "$plain"
compare "--count / plain (wall)" "<= 1.5" wall "$extract --jobs 1 --count $work/text" "$plain"
compare "--unicode-separators / plain" "<= 1.5" cpu \
    "$extract --jobs 1 --unicode-separators $work/text" "$plain"
compare "--jobs 1 / --jobs 2 (wall)" ">= 1.6 idle" wall "$plain" "$extract --jobs 2 $work/text"
printf 'Load after: %s\n' "$(cut -d' ' -f1-3 /proc/loadavg)"
