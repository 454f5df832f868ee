#!/usr/bin/env bash
# Measures the number options on a labelled corpus of US, GB, DE and FR numbers in their common
# written forms mixed with look-alikes (bench/numbers/make_number_corpus.cpp, whose truth file
# is kept beside the corpus), and prints:
#   precision and recall of tessaly-extract --country US --valid (goals: precision >= 0.99,
#   recall of the US numbers >= 0.98; the overall recall and each country's are printed too);
#   how many values the numbers found give to --unique, as written and as +E.164;
#   throughput against the number library's own matcher run line by line with the region US
#   and the VALID leniency on one thread (goal: 10x; wall time of our default --jobs against
#   the matcher's, both processor times printed), and the matcher's precision and recall.
# Usage: bench/run_numbers_bench.sh [WORK_DIR] [MB] (default 16 MB of text in 8 files)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/tessaly-numbers.XXXXXX)}
mb=${2:-16}
mkdir -p "$work"

source "$root/bench/bench_timing.sh"
bench_tools

bench_build make_number_corpus match_numbers_by_line

corpus="$work/numbers$mb"
mkdir -p "$corpus"
[ -f "$corpus/truth.tsv" ] || "$build/bin/make_number_corpus" "$corpus" 8 $((mb * 1048576 / 8))
files=("$corpus"/doc*.txt)
cat "${files[@]}" >/dev/null  # into the page cache
echo "Corpus: $corpus ($mb MB in ${#files[@]} files, $(wc -l <"$corpus/truth.tsv") numbers)"
echo "Machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"

# Scores PATH:LINE:+E164 lines (standard input) against the truth, as a multiset.
score() {  # NAME
    awk -F'\t' -v name="$1" '
        NR == FNR { k = $1 ":" $2 ":" $3; want[k]++; country[k] = $4; total++; per[$4]++; next }
        { found++; if (want[$0] > 0) { want[$0]--; right++; hit[country[$0]]++ } }
        END {
            printf "%-10s found %d, right %d: precision %.4f, recall %.4f (US %.4f, GB %.4f, DE %.4f, FR %.4f)\n",
                name, found, right, right / found, right / total, hit["US"] / per["US"],
                hit["GB"] / per["GB"], hit["DE"] / per["DE"], hit["FR"] / per["FR"]
        }' "$corpus/truth.tsv" -
}

options=(--country US --valid)
"$extract" -H -n "${options[@]}" --e164 "${files[@]}" | score "tessaly"
"$extract" --lengths 10,11,12,13,14 -H -n "${options[@]}" --e164 "${files[@]}" |
    score "tessaly, lengths 10-14"
printf 'values for --unique: %d as written, %d as +E.164 (distinct numbers found: %d)\n' \
    "$("$extract" "${options[@]}" --unique "${files[@]}" | wc -l)" \
    "$("$extract" "${options[@]}" --e164 --unique "${files[@]}" | wc -l)" \
    "$("$extract" -H -n "${options[@]}" --e164 "${files[@]}" |
        awk -F'\t' 'NR == FNR { k = $1 ":" $2 ":" $3; e[k] = $3; next } ($0 in e) { print e[$0] }' \
            "$corpus/truth.tsv" - | sort -u | wc -l)"

# Every spelling of one number is one value with --e164 --unique.
spellings="212-555-0147, (212) 555-0147, +1 212 555 0147, 1-212-555-0147, 212.555.0147,
+1 (212) 555-0147, 212 555 0147, (212)555-0147, +1-212-555-0147, 011 1 212 555 0147"
printf 'ten spellings of one number: %d value(s) with --e164 --unique, %d without --e164\n' \
    "$(echo "$spellings" | "$extract" --lengths 10,11,14 "${options[@]}" --e164 --unique | wc -l)" \
    "$(echo "$spellings" | "$extract" --lengths 10,11,14 "${options[@]}" --unique | wc -l)"

ours=$(best_of_3 "$extract" "${options[@]}" --e164 "${files[@]}")
ours_cpu=$(best_of cpu_once "$extract" "${options[@]}" --e164 "${files[@]}")
plain=$(best_of_3 "$extract" "${files[@]}")
matcher=$(time_once "$build/bin/match_numbers_by_line" US "${files[@]}")
matcher_cpu=$(cpu_once "$build/bin/match_numbers_by_line" US "${files[@]}")
"$build/bin/match_numbers_by_line" US "${files[@]}" | score "matcher"
printf 'tessaly %s s wall (%s s CPU), plain extraction %s s; matcher %.3f s wall (%.3f s CPU)\n' \
    "$ours" "$ours_cpu" "$plain" "$matcher" "$matcher_cpu"
printf 'throughput ratio %.1fx wall (goal >= 10x), %.1fx processor time; load after: %s\n' \
    "$(echo "$matcher / $ours" | bc -l)" "$(echo "$matcher_cpu / $ours_cpu" | bc -l)" \
    "$(cut -d' ' -f1-3 /proc/loadavg)"
