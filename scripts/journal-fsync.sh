#!/usr/bin/env bash
# How long the real program's GUI thread waits for the disk at each minute boundary, when the
# journal's sign of life (and whatever else the minute writes) is made durable. Under Xvfb and
# faketime (a minute each second), it restores N running items from the journal of a killed run
# (bench/journal_of_items), then follows the process with strace for VANTOREL_FSYNC_SECS seconds
# and prints, per thread, the fsync/fdatasync calls and the time spent in them, and the GUI
# thread's time in them per minute boundary.
# Usage: scripts/journal-fsync.sh [program, default build/src/app/vantorel] [journal_of_items,
#        default build/bench/journal_of_items] [item count, default 10000]
set -euo pipefail
cd "$(dirname "$0")/.."
program=${1:-build/src/app/vantorel}
writer=${2:-build/bench/journal_of_items}
count=${3:-10000}
secs=${VANTOREL_FSYNC_SECS:-30}
speed="@2026-12-08 08:00:00 x60"

export DISPLAY=:${VANTOREL_DISPLAY:-7}
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
scratch=$(mktemp -d /tmp/journal-fsync.XXXXXX)
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; kill ${wm:-} $xvfb 2>/dev/null || true; rm -rf "$scratch"' EXIT
sleep 1
openbox >/dev/null 2>&1 & wm=$!
export XDG_CONFIG_HOME=$scratch/config XDG_DATA_HOME=$scratch/data XDG_RUNTIME_DIR=$scratch
mkdir -p "$XDG_CONFIG_HOME/Vantorel" "$XDG_DATA_HOME/Vantorel/Vantorel"
printf '[SET]\nMax=1\n1=5*C/60\n' > "$XDG_CONFIG_HOME/Vantorel/Vantorel.ini"
journal=$XDG_DATA_HOME/Vantorel/Vantorel/items.journal
# Preloaded rather than through the faketime wrapper, so that $! is the program itself.
export LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1 FAKETIME="$speed"
"$writer" "$journal" "$count"
"$program" >/dev/null 2>&1 & app=$!
unset LD_PRELOAD
sleep 3
# The question whether to restore the items of the run that did not end: yes. The restore is done
# once the journal has been written afresh, with a line more than the killed run left.
before=$(wc -l < "$journal")
xdotool key alt+y
while [ "$(wc -l < "$journal")" -le "$before" ]; do sleep 1; done
sleep 3

log=$scratch/strace.log
timeout "$secs" strace -f -T -e trace=fsync,fdatasync -o "$log" -p "$app" 2>/dev/null || true
# Each line: "tid name(...) = 0 <seconds>"
awk -v gui="$app" -v secs="$secs" '
    / (fsync|fdatasync)\(/ && /<[0-9.]+>$/ {
        t = $NF; gsub(/[<>]/, "", t)
        n[$1]++; s[$1] += t; if (t > m[$1]) m[$1] = t
    }
    END {
        for (tid in n)
            printf "%s thread %s: %d syncs, %.1f ms in them (longest %.2f ms)\n",
                   tid == gui ? "GUI" : "other", tid, n[tid], 1000 * s[tid], 1000 * m[tid]
        printf "GUI thread: %.2f ms in fsync per minute boundary (%d boundaries in %d s at x60)\n",
               1000 * s[gui] / secs, secs, secs
    }' "$log"
echo "journal: $(wc -l < "$journal") lines, $(stat -c %s "$journal") bytes"
