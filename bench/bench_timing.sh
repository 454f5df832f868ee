# Timing helpers of the bench scripts, sourced by them (needs bc and /usr/bin/time).

# Wall time of one run of a command, its output thrown away, in seconds.
time_once() {
    local t0 t1
    t0=$(date +%s.%N)
    "$@" >/dev/null
    t1=$(date +%s.%N)
    echo "$t1 - $t0" | bc -l
}

# The lesser of two times; an empty first one counts as none.
lesser() {
    if [ -z "$1" ] || [ "$(echo "$2 < $1" | bc -l)" = 1 ]; then echo "$2"; else echo "$1"; fi
}

# Processor time (user and system, every thread) of one run of a command, in seconds.
cpu_once() {
    { /usr/bin/time -f '%U + %S' "$@" >/dev/null; } 2>&1 | tail -n 1 | bc -l
}

# The least of three runs of a command by MEASURE (time_once or cpu_once), in seconds.
best_of() {  # MEASURE COMMAND...
    local measure=$1 best=""
    shift
    for _ in 1 2 3; do
        best=$(lesser "$best" "$("$measure" "$@")")
    done
    printf '%.3f' "$best"
}

# Best wall time of three runs of a command, in seconds.
best_of_3() {
    best_of time_once "$@"
}

# Peak resident memory of one run of a command, in MB.
peak_mb() {
    local kb
    kb=$( { /usr/bin/time -f '%M' "$@" >/dev/null; } 2>&1 | tail -n 1)
    printf '%.1f' "$(echo "$kb / 1024" | bc -l)"
}

# Installs /usr/bin/time and bc when missing, and each Debian package given as PACKAGE=COMMAND
# whose command is missing.
bench_tools() {  # [PACKAGE=COMMAND]...
    local need=() item
    [ -x /usr/bin/time ] || need+=(time)
    command -v bc >/dev/null || need+=(bc)
    for item in "$@"; do command -v "${item#*=}" >/dev/null || need+=("${item%%=*}"); done
    if [ ${#need[@]} -gt 0 ]; then
        apt-get update -qq && apt-get install -y --no-install-recommends "${need[@]}" >/dev/null
    fi
}

# The Release build of the extractor and of the bench programs named, in build/bench below $root;
# sets $build and $extract.
bench_build() {  # [TARGET]...
    build="$root/build/bench"
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSALY_BUILD_TESTS=OFF \
        -DTESSALY_BUILD_GUI=OFF >/dev/null
    cmake --build "$build" --target tessaly-extract "$@" >/dev/null
    extract="$build/bin/tessaly-extract"
}
