#!/usr/bin/env bash
# Measures the document readers on documents made by make_bench_documents.py and prints each
# figure with its goal:
#   DOCX, XLSX and ODT: MB of extracted text per second of processor time, --jobs 1 (goal >= 40
#   MB/s per core), best of three;
#   PDF: tessaly-extract's processor time (pdftotext's included) against pdftotext's own on the
#   same file, by turns, best of three (goal <= 1.1x);
#   peak memory of a DOCX of BIG_MB of text read with --jobs 1 and --jobs 4 (goal <= 64 MB);
#   a text file of 256 MB and 20,000 files of 4 KB: the time against that of BEFORE, a build
#   without the documents layer, by turns (goal: no slowdown); skipped without BEFORE.
# Usage: bench/run_documents_bench.sh [WORK_DIR] [TEXT_MB] [PAGES] [BIG_MB]
#   (defaults 64 MB of text per document, a PDF of 3,000 pages, a DOCX of 300 MB of text (about
#   100 MB zipped); EXTRACT=path measures that binary instead of a fresh release build,
#   BEFORE=path names the build to compare text files with)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d /tmp/tessaly-documents-bench.XXXXXX)}
text_mb=${2:-64}
pages=${3:-3000}
big_mb=${4:-300}
mkdir -p "$work"

# shellcheck source=bench_timing.sh
. "$root/bench/bench_timing.sh"
bench_tools

extract=${EXTRACT:-}
if [ -z "$extract" ]; then
    bench_build
fi

sizes="$work/sizes.txt"
[ -s "$sizes" ] || python3 "$root/bench/make_bench_documents.py" "$work" "$text_mb" "$pages" >"$sizes"
echo "Load: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"

while read -r name bytes; do
    [ "$name" = bench.pdf ] && continue
    seconds=$(best_of cpu_once "$extract" --jobs 1 "$work/$name")
    printf '%-12s %8.1f MB/s of text per core (goal >= 40)\n' "$name:" \
        "$(echo "$bytes / 1048576 / $seconds" | bc -l)"
done <"$sizes"

ours="" theirs=""
for _ in 1 2 3; do
    ours=$(lesser "$ours" "$(cpu_once "$extract" --jobs 1 "$work/bench.pdf")")
    theirs=$(lesser "$theirs" "$(cpu_once pdftotext -enc UTF-8 -q "$work/bench.pdf" -)")
done
printf 'PDF of %d pages: ours %.3f s, pdftotext %.3f s: %.2fx (goal <= 1.1)\n' "$pages" \
    "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"

big="$work/big"
[ -s "$big/bench.docx" ] || python3 "$root/bench/make_bench_documents.py" "$big" "$big_mb" 1 >/dev/null
printf 'DOCX of %s MB zipped (%d MB of text): peak %s MB --jobs 1, %s MB --jobs 4 (goal <= 64)\n' \
    "$(du -m "$big/bench.docx" | cut -f1)" "$big_mb" \
    "$(peak_mb "$extract" --jobs 1 "$big/bench.docx")" \
    "$(peak_mb "$extract" --jobs 4 "$big/bench.docx" "$big/bench.docx" "$big/bench.docx" "$big/bench.docx")"

[ -n "${BEFORE:-}" ] || exit 0
text="$work/text.txt"
[ -s "$text" ] || (yes 'Call 877-798-4141 or (212) 555-0101.' || true) | head -c 256M >"$text"
small="$work/small"
if [ ! -d "$small" ]; then
    mkdir -p "$small"
    head -c 80M "$text" | (cd "$small" && split -b 4096 -a 5 -d - f)
fi
for input in "$text" "$small"; do
    now="" before=""
    for _ in 1 2 3; do
        now=$(lesser "$now" "$(cpu_once "$extract" --jobs 1 "$input")")
        before=$(lesser "$before" "$(cpu_once "$BEFORE" --jobs 1 "$input")")
    done
    printf '%-12s %.3f s, before %.3f s: %.3fx (goal: no slowdown)\n' "$(basename "$input"):" \
        "$now" "$before" "$(echo "$now / $before" | bc -l)"
done
