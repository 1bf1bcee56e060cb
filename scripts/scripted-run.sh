#!/usr/bin/env bash
# Drives the real program under Xvfb the way an operator would, with keys only: adds a scheme, adds
# two items, stops and starts all timing, finds one, removes it answering No, closes answering Yes,
# then checks the settings file. Screenshots of each step go to the folder given (default
# /tmp/vantorel-run). With --idle-cpu it instead adds 100 running items and measures the program's
# CPU use over 60 seconds from /proc.
set -euo pipefail
cd "$(dirname "$0")/.."
mode=run
[ "${1:-}" = "--idle-cpu" ] && { mode=idle; shift; }
out=${1:-/tmp/vantorel-run}
mkdir -p "$out"

scripts/deps.sh xvfb xdotool imagemagick openbox
[ -x build/src/app/vantorel ] || scripts/build.sh build

export DISPLAY=:${VANTOREL_DISPLAY:-91}
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
config=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
sleep 1
openbox >/dev/null 2>&1 &
# The journal and the day's ledger go to the scratch folder too: a scripted run must neither leave
# items for the operator's next start to restore nor add to the operator's takings.
export XDG_CONFIG_HOME=$config XDG_DATA_HOME=$config/data
mkdir -p "$config/Vantorel"
printf '[SET]\nMax=1\n1=5*C/60\n' > "$config/Vantorel/Vantorel.ini"

build/src/app/vantorel >"$out/program.log" 2>&1 & app=$!
sleep 2.5
main() { xdotool search --pid $app --name '^(Vantorel|正在计时.*|已终止计时.*)$' | tail -1 || true; }
focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; sleep 0.3; }
# Presses a key in the main window until the window titled $2 opens, and focuses it.
open() {
    local d=""
    for _ in 1 2 3 4 5; do
        focus "$(main)"; xdotool key "$1"; sleep 0.8
        d=$(xdotool search --name "^$2\$" | tail -1 || true)
        [ -n "$d" ] && break
    done
    [ -n "$d" ] || { echo "no window $2 after key $1"; exit 1; }
    focus "$d"
}
shot() { import -window root "$out/$1.png"; }

if [ $mode = idle ]; then
    open n '新增'
    for i in $(seq 1 100); do xdotool type --delay 5 "PC$i"; xdotool key Return; done
    xdotool key Escape; sleep 1; shot idle-100-items
    ticks() { awk '{print $14 + $15}' /proc/$app/stat; }
    hz=$(getconf CLK_TCK); before=$(ticks); sleep 60; after=$(ticks)
    echo "CPU over 60 s with 100 running items: $(( (after - before) * 1000 / hz )) ms ($(awk -v t=$(( after - before )) -v hz=$hz 'BEGIN{printf "%.2f", 100*t/hz/60}')% of one core)"
    kill $app
    exit 0
fi

open a '新增计时方案'
xdotool type --delay 30 '3*C/60'; shot 1-scheme; xdotool key Return; sleep 0.5
open n '新增'
xdotool type --delay 30 'PC1'; xdotool key Return; xdotool type --delay 30 'PC2'; xdotool key Return
shot 2-new-items; xdotool key Escape; sleep 0.5
focus "$(main)"; shot 3-two-running
xdotool key s; sleep 0.5; echo "after S: $(xdotool getwindowname "$(main)")"; shot 4-stopped
xdotool key s; sleep 0.5; echo "after S again: $(xdotool getwindowname "$(main)")"
open f '查找计时项目'; xdotool type --delay 30 'pc2'; xdotool key Return; sleep 0.5
focus "$(main)"; shot 5-found
xdotool key m; sleep 0.8; shot 6-remove-question; xdotool key alt+n; sleep 0.5
focus "$(main)"; shot 7-after-remove-no
xdotool key alt+F4; sleep 0.8; shot 8-exit-question; xdotool key alt+y; sleep 1
if kill -0 $app 2>/dev/null; then echo "the program is still running"; exit 1; fi
echo "settings file after closing:"; cat "$config/Vantorel/Vantorel.ini"
for key in '1=5\*C/60' '2=3\*C/60' 'Max=2' 'VIEW=3' 'DEPTHMODE=4' 'DEPTHCOLOR=0' 'LINECOLOR=16777215'; do
    grep -q "^$key\$" "$config/Vantorel/Vantorel.ini" || { echo "missing $key"; exit 1; }
done
echo "scripted run passed; screenshots in $out"
