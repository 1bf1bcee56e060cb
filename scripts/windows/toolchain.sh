#!/usr/bin/env bash
# Finds the prebuilt Qt for Windows (x86_64-w64-mingw32), unpacks it into a cache folder outside the
# tree (again whenever the tarball changes), writes a CMake toolchain file beside it and prints the
# folder. Exits non-zero, saying how to make the kit, when there is none; only then, with a kit at
# hand, installs the mingw compilers, Wine and NSIS from Debian.
# With --available it only says, by its exit status, whether a kit is at hand, installing nothing.
#   VANTOREL_WINDOWS_KIT   the folder holding qt6-6.4.2-mingw64.tar.xz (default: the cache folder
#                          below, where a kit made or fetched by hand can be put)
#   XDG_CACHE_HOME         where the kit is unpacked (default: ~/.cache)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cacheRoot=${XDG_CACHE_HOME:-$HOME/.cache}/vantorel
kitDir=${VANTOREL_WINDOWS_KIT:-$cacheRoot}
tarball=$kitDir/qt6-6.4.2-mingw64.tar.xz
cache=$cacheRoot/qt6.4.2-mingw64

stamp=$cache/kit.sha256
ready() { [ -f "$cache/qt6-mingw/lib/cmake/Qt6/Qt6Config.cmake" ]; }

if [ "${1:-}" = --available ]; then
    ready || [ -f "$tarball" ]
    exit
fi

# The kit is looked for first: a machine without one learns so before anything is installed.
if [ ! -f "$tarball" ] && ! ready; then
    cat >&2 <<MSG
No Qt for Windows found: $tarball is missing.
Make one with scripts/windows/make-kit.sh (Debian 12's Qt 6.4.2 sources cross-built with mingw-w64;
about 25 minutes on an idle two-core machine), which writes it into $cacheRoot, or put a copy of the kit's
qt6-6.4.2-mingw64.tar.xz there, or point VANTOREL_WINDOWS_KIT at the folder holding one.
MSG
    exit 1
fi

# The host tools (moc, rcc, uic) come from Debian's Qt, which must match the kit's 6.4.2.
# fonts-wine gives Wine the Windows faces (Tahoma) the program and its tests expect to find.
"$here/../deps.sh" g++-mingw-w64-x86-64-posix mingw-w64 wine wine64 fonts-wine ninja-build qt6-base-dev-tools \
    qt6-translations-l10n nsis >&2

# The unpacked kit is keyed to the tarball it came from: a new kit (one with Qt Charts added, say)
# replaces the old one in the cache instead of being ignored by it.
if [ -f "$tarball" ]; then
    sum=$(sha256sum "$tarball" | cut -d' ' -f1)
    if ! ready || [ "$(cat "$stamp" 2>/dev/null)" != "$sum" ]; then
        echo "Unpacking $tarball into $cache" >&2
        rm -rf "$cache.tmp"
        mkdir -p "$cache.tmp"
        tar -xJf "$tarball" -C "$cache.tmp"
        echo "$sum" > "$cache.tmp/kit.sha256"
        rm -rf "$cache"
        mv "$cache.tmp" "$cache"
    fi
fi

cat > "$cache/toolchain.cmake" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $cache/qt6-mingw $cache/deps)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR $here/wine-run.sh)
TOOLCHAIN
echo "$cache"
