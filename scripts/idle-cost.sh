#!/usr/bin/env bash
# What the real program costs while it times items and nobody touches it, beside the floor: an
# empty Qt window that updates its caption and a status label once a second (bench/idle_floor).
# Under Xvfb and openbox it measures the floor, then the program with 0, 100, 1,000 and 10,000
# running items, each for VANTOREL_IDLE_SECS seconds (default 60), and prints per case: CPU ms and
# share of one core, context switches per second over all the process's threads (each one is a
# wake-up or a preemption), RSS and private memory, and what each item added to the RSS of the
# program with none. Up to 1,000 items are typed into the new-items dialog, as an operator would;
# more are written as the journal of a killed run (bench/journal_of_items) and restored at start.
# Private memory counts only pages no other process maps, so it drops while other Qt programs run.
# Anonymous memory is what the process itself allocated (heap, pictures, stacks), no file's pages.
# For each program it also says whether Qt Charts and which CJK fonts are mapped while it idles.
# With VANTOREL_IDLE_BEFORE=<build folder of an earlier version> both versions are measured in the
# same run, case by case, so that a change is seen against the same load.
# Usage: scripts/idle-cost.sh [build folder, default build-bench (Release)] [item counts...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(0 100 1000 10000)
secs=${VANTOREL_IDLE_SECS:-60}
builds=("$build")
[ -z "${VANTOREL_IDLE_BEFORE:-}" ] || builds=("$VANTOREL_IDLE_BEFORE" "$build")

scripts/deps.sh xvfb xdotool openbox libbenchmark-dev libxcb1-dev
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DVANTOREL_BUILD_BENCH=ON -DVANTOREL_BUILD_TESTS=OFF >/dev/null
for b in "${builds[@]}"; do
    cmake --build "$b" --target vantorel idle_floor journal_of_items splash_time -j "$(nproc)" >/dev/null
done

export DISPLAY=:${VANTOREL_DISPLAY:-92}
Xvfb "$DISPLAY" -screen 0 1280x800x24 >/dev/null 2>&1 & xvfb=$!
config=$(mktemp -d)
app=""
trap '[ -n "$app" ] && kill $app 2>/dev/null; kill ${wm:-} $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
sleep 1
openbox >/dev/null 2>&1 & wm=$!
# Settings and the journal of running items both in the throwaway folder, fresh for each case.
export XDG_CONFIG_HOME=$config/config XDG_DATA_HOME=$config/data XDG_RUNTIME_DIR=$config
sleep 1

# CPU time in ns (the scheduler's own account, finer than clock ticks) and context switches, per
# thread; a case adds up the change of every thread alive at its end (a thread started during it
# counts from zero). Threads that end during a case are lost to these counters, so perf, which
# follows every thread, counts instead when it is there (package linux-perf).
per_thread() { # pid: "tid cpu_ns switches" per live thread
    for t in /proc/$1/task/*; do
        awk -v tid="${t##*/}" 'FNR == 1 && FILENAME ~ /schedstat$/ {c = $1}
            /^(voluntary|nonvoluntary)_ctxt_switches/ {s += $2}
            END {printf "%s %.0f %.0f\n", tid, c, s}' "$t/schedstat" "$t/status" 2>/dev/null || true
    done
}
mem() { awk '/^Rss:/ {r = $2} /^Private_(Clean|Dirty):/ {p += $2} /^Anonymous:/ {a = $2} END {
    printf "RSS %.1f MB, private %.1f MB, anonymous %.1f MB", r/1024, p/1024, a/1024}' /proc/$1/smaps_rollup; }
measure() { # label pid
    local cpu sw before
    if command -v perf >/dev/null && perf stat -x, -e task-clock -p "$2" -- sleep 0.1 >/dev/null 2>&1; then
        read -r cpu sw < <(perf stat -x, -e task-clock,context-switches -p "$2" -- sleep "$secs" 2>&1 >/dev/null |
            awk -F, '$3 == "task-clock" {c = $1 * 1e6} $3 == "context-switches" {s = $1} END {printf "%.0f %.0f\n", c, s}')
    else
        before=$(per_thread "$2"); sleep "$secs"
        read -r cpu sw < <(per_thread "$2" | awk -v b="$before" 'BEGIN {
                n = split(b, l, "\n"); for (i = 1; i <= n; i++) { split(l[i], f, " "); c0[f[1]] = f[2]; s0[f[1]] = f[3] } }
            {c += $2 - c0[$1]; s += $3 - s0[$1]} END {printf "%.0f %.0f\n", c, s}')
    fi
    awk -v l="$1" -v c="$cpu" -v s="$sw" -v t="$secs" -v m="$(mem "$2")" 'BEGIN {
        printf "%-28s CPU %6.1f ms over %d s (%.3f %% of a core), %5.1f context switches/s, %s\n",
               l, c / 1e6, t, 100 * c / 1e9 / t, s / t, m }'
}

"$build/bench/idle_floor" >/dev/null 2>&1 & app=$!
sleep 3
measure "floor (1 s timer window)" $app
kill $app; wait $app 2>/dev/null || true; app=""

# The splash, ten starts with no settings file: milliseconds from exec to the first window mapped,
# the programs and the floor's window taking turns.
declare -A splash=()
for _ in $(seq 1 "${VANTOREL_SPLASH_STARTS:-10}"); do
    for b in "${builds[@]}" floor; do
        rm -rf "${config:?}/config" "${config:?}/data"
        program=$b/src/app/vantorel
        [ "$b" = floor ] && program=$build/bench/idle_floor
        splash[$b]+="$("$build/bench/splash_time" "$program") "
        sleep 0.5
    done
done
for b in "${builds[@]}" floor; do
    printf '%s\n' ${splash[$b]} | sort -n | awk -v l="$b" '{v[NR] = $1} END {
        printf "%-28s first window %.1f ms after exec (median of %d; %.1f to %.1f)\n", l, v[int((NR + 1) / 2)], NR, v[1], v[NR]}'
done

focus() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1"; sleep 0.3; }
rss_kb() { awk '/^(Rss|Anonymous):/ {printf "%s ", $2}' /proc/$1/smaps_rollup; }
mapped() { # pid: Qt Charts and the CJK font files the process maps
    awk '$6 ~ /libQt6Charts/ {c = "yes"} $6 ~ /\.(tt[fc]|otf)$/ && tolower($6) !~ /dejavu/ {f[$6]} END {
        s = ""; for (n in f) { sub(".*/", "", n); s = s " " n }
        printf "    Qt Charts mapped: %s; CJK fonts mapped:%s\n", c ? c : "no", s ? s : " none" }' /proc/$1/maps
}
declare -A empty_rss=()
for n in "${counts[@]}"; do
for b in "${builds[@]}"; do
    rm -rf "${config:?}/config" "${config:?}/data"
    mkdir -p "$XDG_CONFIG_HOME/Vantorel" "$XDG_DATA_HOME/Vantorel/Vantorel"
    printf '[SET]\nMax=1\n1=5*C/60\n' > "$XDG_CONFIG_HOME/Vantorel/Vantorel.ini"
    if [ "$n" -gt 1000 ]; then
        "$b/bench/journal_of_items" "$XDG_DATA_HOME/Vantorel/Vantorel/items.journal" "$n"
    fi
    "$b/src/app/vantorel" >/dev/null 2>&1 & app=$!
    sleep 2.5
    if [ "$n" -gt 1000 ]; then
        # The question whether to restore the items of the run that did not end: yes. Then wait
        # until the restore is done: the program's CPU time stops growing.
        focus "$(xdotool search --pid $app --name '^Vantorel$' | tail -1)"
        xdotool key alt+y
        last=-1; still=0
        for _ in $(seq 1 600); do
            sleep 0.5
            cpu=$(awk '{print $14 + $15}' /proc/$app/stat)
            if [ "$cpu" = "$last" ]; then still=$((still + 1)); [ $still -ge 2 ] && break; else still=0; fi
            last=$cpu
        done
    fi
    main=$(xdotool search --pid $app --name '^(Vantorel|正在计时.*|已终止计时.*)$' | tail -1)
    # Every case opens the new-items dialog once, as an operator does, so that what the dialog
    # itself keeps is not charged to the items.
    dialog=""
    for _ in 1 2 3 4 5; do
        focus "$main"; xdotool key n; sleep 0.8
        dialog=$(xdotool search --name '^新增$' | tail -1 || true)
        [ -n "$dialog" ] && break
    done
    [ -n "$dialog" ] || { echo "the new-items dialog did not open"; exit 1; }
    focus "$dialog"
    if [ "$n" -le 1000 ]; then
        for i in $(seq 1 "$n"); do xdotool type --delay 2 "PC$i"; xdotool key Return; done
    fi
    xdotool key Escape; sleep 3
    measure "$b, $n running items" $app
    mapped $app
    # RSS and anonymous memory: font pages mapped again after start-up count in the one, not the other.
    rss=$(rss_kb $app)
    [ "$n" -eq 0 ] && empty_rss[$b]=$rss
    if [ "$n" -gt 0 ] && [ -n "${empty_rss[$b]:-}" ]; then
        awk -v r="$rss" -v e="${empty_rss[$b]}" -v n="$n" 'BEGIN { split(r, a, " "); split(e, b, " ")
            printf "    %.2f KB of RSS (%.2f KB anonymous) per item beyond the program with none\n", (a[1] - b[1]) / n, (a[2] - b[2]) / n }'
    fi
    echo "    caption: $(xdotool getwindowname "$main")"
    kill $app; wait $app 2>/dev/null || true; app=""
done
done
