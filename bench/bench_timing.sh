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
