#!/usr/bin/env bash
# Compares the output of two tessaly-extract binaries byte for byte, for every output option
# set with --jobs 1 and 4, on the benchmark corpus (make_corpus) and on the sample files.
# Standard output and standard error must be identical; exit statuses are listed when they
# differ (they do only where the exit status is meant to differ).
# Usage: bench/compare_outputs.sh OLD_EXTRACT NEW_EXTRACT CORPUS_DIR
#   CORPUS_DIR: a folder of text files, e.g. one written by `make_corpus DIR 12 4194304`.
set -uo pipefail
old=$1 new=$2 corpus=$3
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/tessaly-compare.XXXXXX)
trap 'rm -rf "$work"' EXIT

mask='(xxx) xxx-xxxx'
option_sets=(
    ""
    "-H -n"
    "-n"
    "-H --mask='$mask'"
    "--mask='$mask'"
    "--keep-plus"
    "--unicode-separators"
    "--format jsonl"
    "--format jsonl --mask='$mask'"
    "--format jsonl --keep-plus"
    "--format jsonl --unicode-separators"
    "--count"
    "--count --mask='$mask'"
    "--unique"
    "--unique --mask='$mask'"
    "--unique -H -n"
    "--format csv"
    "--format table"
    "--format csv --unique"
)
# Files of our own with what the corpus lacks: a kept "+", separators beyond ASCII (UTF-8,
# UTF-16 and 8-bit), repeated values for --unique and --count.
mkdir -p "$work/own"
printf 'Call +1 (212) 555-0100 or +44 20 7946 0958.\n212\xe2\x80\x93555\xc2\xa00100 again\n' \
    >"$work/own/utf8.txt"
printf '\xef\xbc\x94\xef\xbc\x91\xef\xbc\x95\xe2\x80\x91555\xe2\x80\x910123 and 415-555-0123\n' \
    >>"$work/own/utf8.txt"
printf '212\x96555\xa00100, +1 877 798 4141\r\n' >"$work/own/cp1252.txt"
printf '\xff\xfe5\x005\x005\x00\x13\x201\x002\x003\x004\x005\x006\x007\x00\n\x00' >"$work/own/utf16.txt"
inputs=("$corpus" "$root/samples/files" "$work/own")

differ=0
compared=0
for input in "${inputs[@]}"; do
    for set in "${option_sets[@]}"; do
        for jobs in 1 4; do
            # The mask holds spaces: each set is split on " --" boundaries by eval.
            eval "args=($set)"
            "$old" --jobs "$jobs" "${args[@]}" "$input" >"$work/old.out" 2>"$work/old.err"
            old_status=$?
            "$new" --jobs "$jobs" "${args[@]}" "$input" >"$work/new.out" 2>"$work/new.err"
            new_status=$?
            compared=$((compared + 1))
            what="[$set] --jobs $jobs on $input"
            if ! cmp -s "$work/old.out" "$work/new.out"; then
                echo "DIFFERENT OUTPUT: $what"
                differ=1
            elif ! cmp -s "$work/old.err" "$work/new.err"; then
                echo "DIFFERENT MESSAGES: $what"
                differ=1
            else
                echo "same ($(wc -c <"$work/new.out") bytes): $what"
            fi
            [ "$old_status" = "$new_status" ] || echo "  exit status $old_status -> $new_status"
        done
    done
done
echo "$compared runs compared; $([ $differ = 0 ] && echo 'all identical' || echo 'SOME DIFFER')"
exit $differ
