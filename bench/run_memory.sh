#!/usr/bin/env bash
# Wall time and peak memory of whole runs ("Run Sorts"), through a driver that builds the control
# window without showing it and presses the button once.
# Usage: bench/run_memory.sh [BUILD_DIR]   (default build/release, where it builds the driver)
# Needs /usr/bin/time (Debian package time), Xvfb and awk.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target experiment_run_driver -j2 >/dev/null
driver=$build/tests/experiment/experiment_run_driver
out=$(mktemp -d)

# The browser needs a display. This server is not a child of the measured program, so its
# memory is not counted with the program's.
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$out/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$out"' EXIT
for _ in $(seq 200); do [ -s "$out/display" ] && break; sleep 0.05; done
[ -s "$out/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$out/display")"
export DISPLAY

# measure NAME LOWER UPPER POINTS ITERATIONS ORDER
measure() {
    local name=$1
    shift
    /usr/bin/time -v "$driver" "$@" >/dev/null 2>"$out/$name"
    local kib run wall
    kib=$(awk -F': ' '/Maximum resident set size/{print $2}' "$out/$name")
    wall=$(awk -F': ' '/Elapsed \(wall clock\)/{print $2}' "$out/$name")
    run=$(grep '^run:' "$out/$name")
    printf '%-8s %-34s peak RSS %8.1f MiB  process wall %s  %s\n' "$name" "$*" \
        "$(awk "BEGIN{print $kib / 1024}")" "$wall" "$run"
}

# A record and its browser line, no size sampled: the program around a run.
measure baseline 1000 10000 0.5 4 random
measure default 1000 10000 10 4 random
# Ordered keys keep every routine fast at ten million keys, so memory, not time, is the subject:
# key file 76.3 MiB, four copies and four merge results of 76.3 MiB each, plus merge sort's
# working memory.
measure large 10000000 10000001 1 4 ordered
