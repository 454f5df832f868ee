#!/usr/bin/env bash
# Peak memory of tessaly-extract where the work could pile up ahead of the writer (goal: 64 MB
# or less in every case, whatever --jobs), with the wall time of each run:
#   1. a 600 MB file read four times, --jobs 2, by a reader that waits 15 s before it reads,
#   2. the same file twice to /dev/null, --jobs 2,
#   3. FILES small files in one folder (default 1,000,000), --jobs 1 and --jobs 2, and the same
#      files named by --files-from,
#   4. 1,000,000 small files in 1,000 folders, --jobs 1, 2 and 8.
# Usage: bench/run_memory_bench.sh [WORK_DIR] [FILES]
#   (needs about 700 MB, and FILES + 1,000,000 inodes, there; EXTRACT=path measures that binary
#   instead of a fresh release build). Without WORK_DIR the data is made in a temporary folder
#   and removed at the end (removing two million files takes minutes); a WORK_DIR keeps it for
#   the next run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ]; then
    work=$1
    made=""
else
    work=$(mktemp -d /tmp/tessaly-memory.XXXXXX)
    made=$work
fi
files=${2:-1000000}
mkdir -p "$work"
trap 'rm -rf ${made:+"$made"}' EXIT

[ -x /usr/bin/time ] || { apt-get update -qq && apt-get install -y --no-install-recommends time >/dev/null; }
extract=${EXTRACT:-}
if [ -z "$extract" ]; then
    build="$root/build/bench"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF \
        -DTESSALY_BUILD_GUI=OFF >/dev/null
    cmake --build "$build" --target tessaly-extract >/dev/null
    extract="$build/bin/tessaly-extract"
fi

big="$work/big.txt"
[ -s "$big" ] || (yes 'Call 877-798-4141 or (212) 555-0101.' || true) | head -c 600M >"$big"
many="$work/many"
if [ "$(find "$many" -maxdepth 1 -type f 2>/dev/null | wc -l)" != "$files" ]; then
    rm -rf "$many" && mkdir -p "$many"
    (cd "$many" && seq 1 "$files" | sed 's/^/877-798-/' | split -l 1 -a 7 -d - f)
fi

# Prints "label: peak MB, seconds" for the command after the label (on the script's own
# standard output, whatever the command's is).
exec 3>&1
measure() {
    local label=$1 report="$work/time.txt"
    shift
    /usr/bin/time -o "$report" -f '%M %e' "$@"
    read -r kb seconds <"$report"
    printf '%-44s %6d MB %8.1f s\n' "$label:" $((kb / 1024)) "$seconds" >&3
}

measure "4 x 600 MB, --jobs 2, reader waits 15 s" \
    bash -c '"$0" --jobs 2 "$1" "$1" "$1" "$1" | (sleep 15; cat >/dev/null)' "$extract" "$big"
measure "2 x 600 MB, --jobs 2, to /dev/null" "$extract" --jobs 2 "$big" "$big" >/dev/null
for jobs in 1 2; do
    measure "$files files, --jobs $jobs" "$extract" --jobs "$jobs" "$many" >/dev/null
done
find "$many" -type f >"$work/list.txt"
measure "$files files by --files-from, --jobs 2" "$extract" --jobs 2 --files-from "$work/list.txt" \
    >/dev/null

tree="$work/tree"
if [ "$(find "$tree" -mindepth 2 -maxdepth 2 -type f 2>/dev/null | wc -l)" != 1000000 ]; then
    rm -rf "$tree" && mkdir -p "$tree"
    for folder in $(seq -w 0 999); do
        mkdir "$tree/d$folder"
        (cd "$tree/d$folder" && seq 1 1000 | sed 's/^/877-798-/' | split -l 1 -a 4 -d - f)
    done
fi
for jobs in 1 2 8; do
    measure "1000000 files in 1000 folders, --jobs $jobs" "$extract" --jobs "$jobs" "$tree" >/dev/null
done
