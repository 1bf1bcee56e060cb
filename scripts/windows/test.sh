#!/usr/bin/env bash
# Runs the CTest suite of the Windows build (build-windows/, made by build.sh) under Wine, headless:
# each test program goes through wine-run.sh, the build's emulator, with Qt's offscreen platform.
# Extra arguments go to ctest (for example -R journal).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
[ -f "$root/build-windows/CTestTestfile.cmake" ] || { echo "No Windows build: run scripts/windows/build.sh first" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen
# Wine's server is shared by the tests; starting it once keeps the first tests from waiting on it.
"$(dirname "$0")/wine-run.sh" cmd /c exit 0 >/dev/null 2>&1 || true
ctest --test-dir "$root/build-windows" --output-on-failure -j "$(nproc)" "$@"
