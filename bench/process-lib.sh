# Shared by the process-level measurements: where the programs are, timing a
# command, medians. Sourced, not run.
#
# Each run is timed twice over: wall-clock (what a user waits) and processor
# time (task-clock, when perf can count it), which the other programs of a
# busy machine disturb far less. Figure and reference always run alternately.

BUILD=${BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/release}
RUNS=${RUNS:-9}
WORK=$(mktemp -d /tmp/nimbrel-bench.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
if perf stat -x, -e task-clock -o /dev/null true >/dev/null 2>&1; then HAVE_PERF=1; else HAVE_PERF=0; fi

need() {
    for program in "$@"; do
        if [ ! -x "$BUILD/$program" ]; then
            echo "$(basename "$0"): $BUILD/$program is missing; build it first:" >&2
            echo "  cmake --build $BUILD --target $(basename "$program")" >&2
            exit 2
        fi
    done
}

# "WALL CPU" in milliseconds for a command, its output thrown away; CPU is 0
# without perf. The wall-clock time is of a run of its own: perf's own
# start-up (some 30 ms) would otherwise be counted as the command's.
measure() {
    local start end cpu=0
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 || true
    end=$EPOCHREALTIME
    if [ "$HAVE_PERF" = 1 ]; then
        perf stat -x, -e task-clock -o "$WORK/stat" "$@" >/dev/null 2>&1 || true
        cpu=$(awk -F, '/task-clock/ { print $1 }' "$WORK/stat")
    fi
    awk -v s="$start" -v e="$end" -v c="${cpu:-0}" 'BEGIN { print (e - s) * 1000, c }' </dev/null
}

# Differences of two "WALL CPU" lines.
minus() {
    echo "$1 $2" | awk '{ print $1 - $3, $2 - $4 }'
}

ratio() {
    awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else printf "-" }' </dev/null
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# report UNIT GOAL FIGURES-FILE REFERENCES-FILE: medians of the wall and CPU
# columns, and their ratios.
report() {
    local unit=$1 goal=$2 fw fc rw rc
    fw=$(cut -d' ' -f1 "$3" | median)
    fc=$(cut -d' ' -f2 "$3" | median)
    rw=$(cut -d' ' -f1 "$4" | median)
    rc=$(cut -d' ' -f2 "$4" | median)
    printf '%-10s %10s %10s\n' "" wall cpu
    printf '%-10s %10.1f %10.1f %s\n' figure "$fw" "$fc" "$unit"
    printf '%-10s %10.1f %10.1f %s\n' reference "$rw" "$rc" "$unit"
    printf '%-10s %10s %10s   (goal %s; medians of %d interleaved runs)\n' ratio \
        "$(ratio "$fw" "$rw")" "$([ "$HAVE_PERF" = 1 ] && ratio "$fc" "$rc" || echo -)" "$goal" "$RUNS"
}
