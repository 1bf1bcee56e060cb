#!/usr/bin/env bash
# Runs one Windows program under Wine, headless: wine-run.sh <program.exe> [arguments...]
# It is the cross build's emulator, so the build steps that run a program and every CTest test go
# through it. Wine does not pass QT_* variables on, so each comes in as WINEQT_*; the Qt and mingw
# runtime DLLs are found through WINEPATH; QtTest's log goes to stderr instead of the debugger.
# With VANTOREL_WINE_BARE=1 neither the kit nor the mingw runtime is on the path, as on an operator's
# machine: an installed program must then find every DLL and plugin in its own folder.
set -euo pipefail
kit=${VANTOREL_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/vantorel/qt6.4.2-mingw64}/qt6-mingw
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/vantorel/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "${VANTOREL_WINE_BARE:-}" = 1 ]; then
    unset WINEPATH WINEQT_PLUGIN_PATH QT_PLUGIN_PATH
else
    export WINEPATH="Z:${kit//\//\\}\\bin;Z:\\usr\\lib\\gcc\\x86_64-w64-mingw32\\12-posix;Z:\\usr\\x86_64-w64-mingw32\\lib"
    export WINEQT_PLUGIN_PATH="Z:${kit//\//\\}\\plugins"
fi
export WINEQT_FORCE_STDERR_LOGGING=1
export WINEQT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
while IFS='=' read -r name value; do
    [[ $name == QT_* ]] && export "WINE$name=$value"
done < <(env)
if [ ! -d "$WINEPREFIX" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi
exec wine "$@"
