#!/usr/bin/env bash
# Cross-builds Vantorel for Windows with the mingw toolchain into build-windows/: the program, its
# help file, its icons and the test programs, with the DLLs, plugins and translations it needs
# copied beside vantorel.exe (the list is in packaging/windows/CMakeLists.txt), and the per-user
# installer build-windows/Vantorel-<version>-setup.exe. Extra arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
kit=$("$here/toolchain.sh")
out=$root/build-windows

cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$kit/toolchain.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DVANTOREL_BUILD_TESTS=ON "$@" >/dev/null
cmake --build "$out" -j "$(nproc)"

echo "$out/src/app/vantorel.exe"
ls "$out"/Vantorel-*-setup.exe 2>/dev/null || true
