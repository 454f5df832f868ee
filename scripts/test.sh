#!/usr/bin/env bash
# Sets up what is missing, then builds and runs every test:
#   1. the normal build (RelWithDebInfo): the whole ctest suite, the formatting page in headless
#      Chromium among it;
#   2. the two Debian packages (scripts/package.sh), judged by tests/package/check_package.sh:
#      file lists and relations, the extractor's package alone in an empty Debian root (made once
#      by debootstrap), desktop-file-validate, appstreamcli and lintian;
#   3. the suite built with AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the tests of the parts that run threads (the window's run and its scan ahead, the
#      ordered scan, the extractor's counting and output threads) built with ThreadSanitizer;
#   5. a short run of every libFuzzer target (clang), seeded from tests/fuzz/corpus.
# TESSALY_QUICK=1 runs only the first two. TESSALY_FUZZ_SECONDS sets each fuzzer's time (default 20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
jobs=$(nproc)

echo "== Tests"
cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build/test"
ctest --test-dir "$root/build/test" --output-on-failure -j "$jobs"

echo "== Package"
bash "$root/scripts/package.sh"
bash "$root/tests/package/check_package.sh" "$root/build/package"

[ "${TESSALY_QUICK:-0}" = 1 ] && exit 0

echo "== Tests with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$root" -B "$root/build/sanitize" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSALY_SANITIZE=ON -DTESSALY_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/sanitize"
# Leak reports are off: Qt and fontconfig keep process-lifetime allocations that are not leaks.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build/sanitize" --output-on-failure -j "$jobs"

echo "== Tests of the threaded parts with ThreadSanitizer"
cmake -S "$root" -B "$root/build/threads" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSALY_SANITIZE_THREADS=ON -DTESSALY_BUILD_GUI=OFF -DTESSALY_BUILD_BENCH=OFF >/dev/null
threaded=(engine_test_extraction_run engine_test_ordered_scan cli_test_distinct_values
    cli_test_extract_process cli_test_extract_faults)
cmake --build "$root/build/threads" --target tessaly-extract tessaly_document_readers \
    tessaly_number_rules "${threaded[@]}"
# Some kernels place mappings where ThreadSanitizer cannot work; without address randomisation
# it always can, where the machine lets a process turn that off.
fixed=()
if setarch "$(uname -m)" -R true 2>/dev/null; then fixed=(setarch "$(uname -m)" -R); fi
TSAN_OPTIONS="halt_on_error=1:suppressions=$root/tests/thread_sanitizer_suppressions.txt" \
    "${fixed[@]}" ctest --test-dir "$root/build/threads" --output-on-failure -j "$jobs" \
    -R "^($(IFS='|'; echo "${threaded[*]}"))\$"

echo "== Fuzzers"
cmake -S "$root" -B "$root/build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALY_FUZZ=ON -DTESSALY_SANITIZE=ON \
    -DTESSALY_BUILD_GUI=OFF -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/fuzz"
seconds=${TESSALY_FUZZ_SECONDS:-20}
for fuzzer in "$root"/build/fuzz/fuzz/fuzz_*; do
    name=$(basename "$fuzzer")
    work=$(mktemp -d)
    cp "$root/tests/fuzz/corpus/$name"/* "$work/"
    echo "-- $name (${seconds}s)"
    if ! "$fuzzer" -max_total_time="$seconds" "$work" >"$work.log" 2>&1; then
        tail -n 60 "$work.log"
        echo "$name found a failure"
        exit 1
    fi
    grep -E '^Done ' "$work.log"
    rm -rf "$work" "$work.log"
done
echo "All fuzzers passed."
