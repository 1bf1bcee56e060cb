#!/usr/bin/env bash
# How long the GUI thread is kept from its event loop while many running items pass their minutes:
# the real program restores a killed run of N running items (bench/journal_of_items), then its main
# thread's polls are traced for VANTOREL_BLOCK_SECS seconds (default 130, so two minutes at least
# turn). Each stretch between one poll's return and the next poll is time the window could not
# answer; the longest ones are printed, with the load average at the start and the end.
# With VANTOREL_BLOCK_TOOL=perf the kernel's tracepoints are recorded instead (no stop of the
# program at each system call, as strace makes), with the scheduler's switches: each stretch is
# then given with the part of it the thread was on a CPU, which other work on the machine cannot
# lengthen. The floor (bench/idle_floor, an empty window whose caption and one label follow the time
# each second) runs beside the program and is traced in the same recording, so that what a
# second costs any Qt window on this machine is seen beside what the program's minute costs.
# Usage: scripts/minute-block.sh [build folder, default build-bench] [items, default 10000]
set -eu
cd "$(dirname "$0")/.."
build=${1:-build-bench}
items=${2:-10000}
secs=${VANTOREL_BLOCK_SECS:-130}
tool=${VANTOREL_BLOCK_TOOL:-strace}
scripts/deps.sh xvfb xdotool openbox "$([ "$tool" = perf ] && echo linux-perf || echo strace)"
cmake --build "$build" --target vantorel journal_of_items idle_floor -j "$(nproc)" >/dev/null
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work" 2>/dev/null' EXIT
export DISPLAY=:23 XDG_CONFIG_HOME=$work/conf XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Vantorel" "$XDG_DATA_HOME/Vantorel/Vantorel" && chmod 700 "$XDG_RUNTIME_DIR"
printf '[SET]\nMax=1\n1=5*C/60\n' > "$XDG_CONFIG_HOME/Vantorel/Vantorel.ini"
Xvfb $DISPLAY -screen 0 1280x800x24 >/dev/null 2>&1 & sleep 1
openbox >/dev/null 2>&1 & sleep 1
"$build/bench/journal_of_items" "$XDG_DATA_HOME/Vantorel/Vantorel/items.journal" "$items" >/dev/null
"$build/src/app/vantorel" >/dev/null 2>&1 &
pid=$!
# The restore question, answered 是; then the restore's own note, if any.
sleep 5; xdotool key Return; sleep 3; xdotool key Return 2>/dev/null || true; sleep 3
echo "load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
if [ "$tool" = perf ]; then
    "$build/bench/idle_floor" >/dev/null 2>&1 &
    floor=$!
    sleep 2
    perf record -q -a -k CLOCK_MONOTONIC -o "$work/perf.data" -e 'syscalls:sys_enter_poll,syscalls:sys_exit_poll' \
        -e 'syscalls:sys_enter_ppoll,syscalls:sys_exit_ppoll,sched:sched_switch' -- sleep "$secs" >/dev/null 2>&1 || true
    echo "load at end:   $(cut -d' ' -f1-3 /proc/loadavg)"
    # The recording's times are the monotonic clock's: they are turned into the wall clock's.
    offset=$(python3 -c 'import time; print(time.clock_gettime(time.CLOCK_REALTIME) - time.clock_gettime(time.CLOCK_MONOTONIC))')
    perf script -i "$work/perf.data" 2>/dev/null > "$work/events"
    wall() { awk -v o="$offset" '{printf "%s %s %.6f\n", $1, $2, $3 + o}'; }
    awk -v tid="$pid" -f scripts/minute-block-perf.awk "$work/events" | wall > "$work/stretches"
    awk -v tid="$floor" -f scripts/minute-block-perf.awk "$work/events" | wall > "$work/floor"
    at() { date -d @"$1" +%H:%M:%S.%3N; }
    sort -rn "$work/stretches" | head -8 | while read -r ms cpu began; do
        printf '%8.2f ms busy (%.2f ms on a CPU) from %s\n' "$ms" "$cpu" "$(at "$began")"
    done
    echo "longest on a CPU:"
    sort -k2 -rn "$work/stretches" | head -3 | while read -r ms cpu began; do
        printf '%8.2f ms on a CPU (%.2f ms busy) from %s\n' "$cpu" "$ms" "$(at "$began")"
    done
    # A minute's stretches are those begun in its first 1.5 s; the rest are the seconds'.
    median() { sort -n | awk '{v[NR] = $1} END {if (NR) printf "%.2f", v[int((NR + 1) / 2)]; else printf "-"}'; }
    atMinute() { awk -v want="$1" '{s = $3 % 60; if ((s < 1.5) == want) print}' "$2"; }
    longestEachSecond() { awk '{k = int($3); if ($2 > m[k]) m[k] = $2} END {for (k in m) print m[k]}'; }
    printf 'at the minutes: longest %s ms busy, %s ms on a CPU; other seconds: median longest per second %s ms on a CPU\n' \
        "$(atMinute 1 "$work/stretches" | sort -rn | head -1 | cut -d' ' -f1)" \
        "$(atMinute 1 "$work/stretches" | sort -k2 -rn | head -1 | cut -d' ' -f2)" \
        "$(atMinute 0 "$work/stretches" | longestEachSecond | median)"
    printf 'floor, each second: longest %s ms busy, %s ms on a CPU, median longest per second %s ms on a CPU\n' \
        "$(sort -rn "$work/floor" | head -1 | cut -d' ' -f1)" "$(sort -k2 -rn "$work/floor" | head -1 | cut -d' ' -f2)" \
        "$(longestEachSecond < "$work/floor" | median)"
    echo "stretches traced: $(wc -l < "$work/stretches") (floor $(wc -l < "$work/floor"))"
    exit 0
fi
timeout "$secs" strace -p "$pid" -e trace=poll,ppoll -ttt -T -o "$work/polls" 2>/dev/null || true
echo "load at end:   $(cut -d' ' -f1-3 /proc/loadavg)"
# A line: "<entered> poll(...) = n <seconds in it>"; busy = next entry - (this entry + time in it).
awk '{ t = $1; d = $NF; gsub(/[<>]/, "", d); if (prev != "") { busy = (t - prevEnd) * 1000; printf "%.3f %.3f\n", busy, prevEnd } prev = t; prevEnd = t + d }' \
    "$work/polls" | sort -rn | head -8 | while read -r ms at; do
    printf '%8.2f ms busy from %s\n' "$ms" "$(date -d @"$at" +%H:%M:%S.%3N)"
done
echo "polls traced: $(wc -l < "$work/polls")"
