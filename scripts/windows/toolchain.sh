#!/usr/bin/env bash
# Finds the prebuilt Qt for Windows (x86_64-w64-mingw32), unpacks it once into a cache folder outside
# the tree, writes a CMake toolchain file beside it and prints the folder. Installs the mingw
# compilers and Wine from Debian first. Exits non-zero, saying how to make the kit, when it is absent.
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

if [ "${1:-}" = --available ]; then
    [ -f "$cache/qt6-mingw/lib/cmake/Qt6/Qt6Config.cmake" ] || [ -f "$tarball" ]
    exit
fi

# The host tools (moc, rcc, uic) come from Debian's Qt, which must match the kit's 6.4.2.
"$here/../deps.sh" g++-mingw-w64-x86-64-posix mingw-w64 wine wine64 ninja-build qt6-base-dev-tools qt6-translations-l10n nsis >&2

if [ ! -f "$cache/qt6-mingw/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    if [ ! -f "$tarball" ]; then
        cat >&2 <<MSG
No Qt for Windows found: $tarball is missing.
Build one as the kit's README describes under "Rebuilding" (Debian's qt6-base 6.4.2 source with the
kit's patch and Wintab headers, configured with its toolchain file and options; qtsvg and muparser
after it; about 20 minutes at -j2), pack qt6-mingw/ and deps/ into qt6-6.4.2-mingw64.tar.xz, and
point VANTOREL_WINDOWS_KIT at the folder holding it (or put it in $cacheRoot).
MSG
        exit 1
    fi
    echo "Unpacking $tarball into $cache" >&2
    rm -rf "$cache.tmp"
    mkdir -p "$cache.tmp"
    tar -xJf "$tarball" -C "$cache.tmp"
    rm -rf "$cache"
    mv "$cache.tmp" "$cache"
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
