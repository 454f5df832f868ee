#!/usr/bin/env bash
# Measures what tessaly-extract's per-number options cost against plain output, on the engine
# bench corpus, and prints the ratios with their goals:
#   -H -n <= 1.25x, --format jsonl <= 2x, --count <= 1.5x, --unicode-separators <= 1.5x the
#   time of plain output (--jobs 1, best of three, timed by turns with plain; --count's processor time, which its
#   counting thread spends beside the scan, is printed too);
#   peak memory of each option on a file that is one single line (goal: 64 MB; --count and
#   --unique excepted, whose tables grow with the distinct numbers: their cost per distinct
#   number is measured on a file of distinct numbers).
# Usage: bench/run_cli_options_bench.sh [WORK_DIR] [TEXT_MB] [LINE_MB]
#   (defaults 256 MB of text in 8 files and a 512 MB single-line file, as the engine bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/tessaly-bench.XXXXXX)}
text_mb=${2:-256}
line_mb=${3:-512}
mkdir -p "$work"

source "$root/bench/bench_timing.sh"
bench_tools

bench_build make_corpus


echo "Corpus in $work"
mkdir -p "$work/text$text_mb" "$work/line$line_mb" "$work/distinct"
per_file=$((text_mb * 1048576 / 8))
[ -f "$work/text$text_mb/doc7.txt" ] || "$build/bin/make_corpus" "$work/text$text_mb" 8 "$per_file"
[ -f "$work/line$line_mb/doc0.txt" ] ||
    "$build/bin/make_corpus" "$work/line$line_mb" 1 $((line_mb * 1048576)) --single-line
cat "$work/text$text_mb"/* >/dev/null  # into the page cache
files=("$work/text$text_mb"/*)

plain=$(best_of_3 "$extract" --jobs 1 "${files[@]}")
printf 'Plain output, %d MB: %s s (%.0f MB/s)\n' "$text_mb" "$plain" "$(echo "$text_mb / $plain" | bc -l)"
# This machine's speed may drift between runs, so each option is timed by turns with plain
# output, best of three each.
ratio() {  # NAME GOAL OPTIONS...
    local name=$1 goal=$2
    shift 2
    local base="" t=""
    for _ in 1 2 3; do
        base=$(lesser "$base" "$(time_once "$extract" --jobs 1 "${files[@]}")")
        t=$(lesser "$t" "$(time_once "$extract" --jobs 1 "$@" "${files[@]}")")
    done
    printf '%-24s %7.3f s  ratio %.2f (goal <= %s; plain by turns %.3f s)\n' "$name" "$t" \
        "$(echo "$t / $base" | bc -l)" "$goal" "$base"
}
ratio "-H -n" 1.25 -H -n
ratio "--format jsonl" 2 --format jsonl
ratio "--count" 1.5 --count
ratio "--unicode-separators" 1.5 --unicode-separators
# --count keeps its table on a thread of its own: the processor time of all its threads.
plain_cpu=$(best_of cpu_once "$extract" --jobs 1 "${files[@]}")
count_cpu=$(best_of cpu_once "$extract" --jobs 1 --count "${files[@]}")
printf 'Processor time, all threads: plain %s s, --count %s s (ratio %.2f)\n' "$plain_cpu" \
    "$count_cpu" "$(echo "$count_cpu / $plain_cpu" | bc -l)"

echo
line="$work/line$line_mb/doc0.txt"
cat "$line" >/dev/null
echo "Peak memory on a $line_mb MB single-line file (goal <= 64 MB):"
for options in "" "-H -n" "--format jsonl" "--keep-plus" "--mask (xxx)xxx-xxxx" \
    "--unicode-separators" "--count" "--unique"; do
    # shellcheck disable=SC2086
    printf '  %-24s %s MB\n' "${options:-plain}" "$(peak_mb "$extract" $options "$line")"
done

# Distinct numbers only: the tables of --count and --unique hold each once.
distinct=1000000
[ -f "$work/distinct/numbers.txt" ] || seq 2000000000 $((2000000000 + distinct - 1)) >"$work/distinct/numbers.txt"
base=$(peak_mb "$extract" "$work/distinct/numbers.txt")
for options in --count --unique; do
    peak=$(peak_mb "$extract" $options "$work/distinct/numbers.txt")
    printf '%s on %d distinct numbers: %s MB (plain %s MB): %.0f bytes per distinct number\n' \
        "$options" "$distinct" "$peak" "$base" "$(echo "($peak - $base) * 1048576 / $distinct" | bc -l)"
done
