#!/usr/bin/env bash
# Takes the README's pictures from the real program on a virtual screen (Xvfb), driven by xdotool:
#   docs/main-window.png    the main window with four items being timed, fees brought up to date
#   docs/scheme-dialog.png  the scheme dialog checking a formula as it is typed
#   docs/history-day.png    the history window's day view after two items left the list
#   docs/limits.png         two items with limits: one near it, one past it when it was set
#   docs/history-period.png the period view on last month's generated ledgers (Linux only), and
#   docs/history-period-dark.png  the same under a dark palette
# Usage: scripts/screenshots.sh [program]   (e.g. vantorel once installed; by default it builds
# build/ as scripts/run.sh does and takes the program from there)
#        scripts/screenshots.sh --windows   the Windows build (build-windows/, scripts/windows/build.sh)
#                                           under Wine, into docs/windows-*.png, with a fourth picture:
#   docs/windows-report-preview.png  the print preview of an item's report
# The program runs with scratch settings holding two schemes and a scratch data folder (journal
# and ledger), so the user's own settings, items and takings and a running copy of the program are
# left alone. VANTOREL_SCREENSHOT_DISPLAY picks the virtual screen (default :98),
# VANTOREL_SCREENSHOT_LOCALE the locale on Linux (default C.UTF-8; zh_CN.UTF-8 is what a Chinese
# desktop sets) and VANTOREL_SCREENSHOT_PREFIX where the pictures go (default docs/).
set -euo pipefail
program=
windows=
if [ "${1:-}" = --windows ]; then
    windows=1
    shift
elif [ $# -ge 1 ]; then
    # A name on PATH (vantorel, as installed) or a path from where the script was called.
    program=$(command -v "$1") || { echo "no program $1" >&2; exit 1; }
    program=$(realpath -s "$program")
fi
cd "$(dirname "$0")/.."
scripts/deps.sh xvfb xdotool imagemagick x11-utils
[ -z "$windows" ] || scripts/deps.sh openbox
prefix=${VANTOREL_SCREENSHOT_PREFIX:-docs/}

if [ -n "$windows" ]; then
    program=$PWD/build-windows/src/app/vantorel.exe
    [ -f "$program" ] || { echo "No Windows build: run scripts/windows/build.sh first" >&2; exit 1; }
    prefix=${VANTOREL_SCREENSHOT_PREFIX:-docs/}windows-
elif [ -z "$program" ]; then
    scripts/build.sh build -DVANTOREL_BUILD_TESTS=OFF
    program=$PWD/build/src/app/vantorel
fi
display=${VANTOREL_SCREENSHOT_DISPLAY:-:98}

work=$(mktemp -d)
xvfb_pid=
program_pid=
wm_pid=
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    [ -n "$windows" ] && WINEPREFIX=$work/wine wineserver -k 2>/dev/null || true
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/config/Vantorel" "$work/runtime"
chmod 700 "$work/runtime"
cat > "$work/config/Vantorel/Vantorel.ini" <<'INI'
[SET]
Max=2
1=5*C/60
2=3*C/60
INI

# The history window at a size that shows the period view's chart and tables together.
mkdir -p "$work/config/Vantorel/Vantorel"
printf '[History]\nsize=1100,760\n' > "$work/config/Vantorel/Vantorel/window-state.ini"

# On Windows the settings are in the registry, and each run gets a Wine prefix of its own.
run_program() {
    if [ -n "$windows" ]; then
        local key='HKCU\Software\Vantorel\Vantorel\SET' value
        for value in Max=2 1=5*C/60 2=3*C/60; do
            WINEPREFIX=$work/wine scripts/windows/wine-run.sh reg add "$key" /v "${value%%=*}" /d "${value#*=}" /f
        done >/dev/null 2>&1
        WINEPREFIX=$work/wine QT_QPA_PLATFORM=windows LANG=zh_CN.UTF-8 scripts/windows/wine-run.sh "$program"
    else
        env -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
            XDG_RUNTIME_DIR="$work/runtime" LC_ALL="${VANTOREL_SCREENSHOT_LOCALE:-C.UTF-8}" "$program"
    fi
}

# Last month and this month up to yesterday as a busy café books them, for the period view: the
# generator is built beside the benchmarks.
if [ -z "$windows" ]; then
    scripts/deps.sh libbenchmark-dev
    cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVANTOREL_BUILD_BENCH=ON -DVANTOREL_BUILD_TESTS=OFF >/dev/null
    cmake --build build-bench --target ledger_of_days -j "$(nproc)" >/dev/null
    month=$(date +%Y-%m-01)
    first=$(date -d "$month -1 month" +%F)
    build-bench/bench/ledger_of_days "$work/data/Vantorel/Vantorel/ledger" "$first" \
        $(( ( $(date -d yesterday +%s) - $(date -d "$first" +%s) ) / 86400 + 1 )) 200
fi

Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.2
done
xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start on $display" >&2; exit 1; }

die() {
    [ -n "${VANTOREL_SCREENSHOT_DEBUG:-}" ] && import -window root "$VANTOREL_SCREENSHOT_DEBUG"
    echo "screenshots: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/  program: /' "$work/program.log" >&2
    exit 1
}

# Prints the ids of the visible windows whose title matches $1. The title is read as the desktop
# shows it (Wine gives the older title property only as question marks, which xdotool's own search
# would match).
windows_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) =~ $1 ]] && echo "$id"
    done
    return 0
}

# Prints the id of a visible window whose title matches $1 (and at least $2 pixels wide), waiting
# for it up to 20 seconds.
wait_window() {
    local title=$1 min_width=${2:-0} id WIDTH
    for _ in $(seq 100); do
        for id in $(windows_titled "$title"); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            if [ "$WIDTH" -ge "$min_width" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# Keys go to the window with the input focus; with no window manager that is whichever window
# was last given it. Wine's windows take it only from a window manager, which activates them.
focus() {
    if [ -n "$windows" ]; then
        xdotool windowactivate --sync "$1"
    else
        xdotool windowfocus --sync "$1"
    fi
    sleep 0.3
}

keys() { xdotool key --clearmodifiers --delay 80 "$@"; sleep 0.3; }
text() { xdotool type --clearmodifiers --delay 60 "$1"; sleep 0.2; }

if [ -n "$windows" ]; then
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.2
    done
fi
run_program >"$work/program.log" 2>&1 &
program_pid=$!

# The splash carries the same title; the main window is the wide one.
main=$(wait_window '^Vantorel' 500) || die "the main window did not appear"
sleep 1.5
focus "$main"

# Minutes and fees are brought up to date on the first tick of each new clock minute: add the items
# early in a minute, so that the next refresh finds each of them one minute older.
[ "$((10#$(date +%S)))" -lt 40 ] || sleep $((61 - 10#$(date +%S)))

# New items: name, Shift+Tab to the minutes already used, Enter adds and starts the item. The
# dialog keeps the chosen scheme; Tab and Down in the scheme list choose the second one.
keys n
dialog=$(wait_window '^新增$') || die "N did not open the new-items dialog"
focus "$dialog"
add_item() {
    text "$1"
    keys shift+Tab
    text "$2"
    keys Return
}
add_item PC01 95
add_item PC02 47
keys Tab Down shift+Tab
add_item PC03 130
add_item VIP01 18
keys Escape
[ -z "$(windows_titled '^新增$')" ] || die "Esc did not close the new-items dialog"

sleep $((61 - 10#$(date +%S)))
focus "$main"
import -window "$main" ${prefix}main-window.png
if [ -n "$windows" ]; then
    # V opens the preview's menu, S chooses a report from it.
    keys v s
    preview=$(wait_window '打印预览' 400) || die "V, S did not open the report's preview"
    sleep 1
    import -window "$preview" ${prefix}report-preview.png
    focus "$preview"
    keys Escape
    focus "$main"
fi

keys a
scheme=$(wait_window '^新增计时方案$') || die "A did not open the scheme dialog"
focus "$scheme"
text '8*C/60+2'
sleep 0.5
import -window "$scheme" ${prefix}scheme-dialog.png
keys Escape

# Two items leave the list with 否 (removed without a report): the arrow keys choose each one,
# M asks, Alt+N answers. The history window's second tab then shows the day with its total.
remove_one() {
    focus "$main"
    keys Down m
    box=$(wait_window '^Vantorel$') || die "M did not ask whether to end and report the item"
    focus "$box"
    keys alt+n
}
remove_one
remove_one
focus "$main"
keys t
history=$(wait_window '^历史数据$') || die "T did not open the history window"
focus "$history"
keys ctrl+Tab
sleep 0.5
import -window "$history" ${prefix}history-day.png
keys Escape

# Limits without the mouse: N, a name, Enter, Esc, then L on the item just added. 96 minutes with
# 100 bought is near its limit; 130 minutes at 5 an hour is past 10 paid, told at once.
add_with_limit() {
    focus "$main"
    keys n
    dialog=$(wait_window '^新增$') || die "N did not open the new-items dialog"
    focus "$dialog"
    add_item "$1" "$2"
    keys Escape
    focus "$main"
    keys l
    limit=$(wait_window '^设定限额$') || die "L did not open the limit dialog"
    focus "$limit"
    [ "$4" = money ] && keys alt+y
    keys ctrl+a
    text "$3"
    keys Return
}
add_with_limit VIP02 96 100 minutes
add_with_limit VIP03 130 10 money
focus "$main"
sleep 1
import -window "$main" ${prefix}limits.png

# The period view: the history window's third tab, 月 chosen from the keyboard, then PageUp to last
# month, a month of busy days.
period_view() {
    focus "$main"
    keys t
    history=$(wait_window '^历史数据$') || die "T did not open the history window"
    focus "$history"
    keys "$@" alt+d Down Prior
    sleep 1.5
}
if [ -z "$windows" ]; then
    period_view ctrl+Tab
    import -window "$history" ${prefix}history-period.png

    # Again under a dark palette, which Qt takes from the desktop's colour scheme (here KDE's), in
    # the program started afresh. The program itself is ended, not the shell that started it; ended
    # as at a logout, it offers its items back at the next start, and 否 settles them instead.
    kill "$(xdotool getwindowpid "$main")"
    wait "$program_pid" 2>/dev/null || true
    cat > "$work/config/kdeglobals" <<'KDE'
[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=255,255,255
KDE
    printf '[History]\nsize=1100,760\n' > "$work/config/Vantorel/Vantorel/window-state.ini"
    ( export XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5; run_program ) >"$work/program.log" 2>&1 &
    program_pid=$!
    main=$(wait_window '^Vantorel' 500) || die "the program did not start again"
    sleep 2 # the splash, titled alike, is gone
    # The question is the narrow window of the program's title.
    for id in $(windows_titled '^Vantorel$'); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -lt 500 ] && box=$id
    done
    focus "$box"
    keys alt+n
    sleep 1
    period_view ctrl+Tab ctrl+Tab
    import -window "$history" ${prefix}history-period-dark.png
fi

for picture in "$prefix"*.png; do
    echo "Wrote $picture ($(identify -format '%wx%h' "$picture"))"
done
