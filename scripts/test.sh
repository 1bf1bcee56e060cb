#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a normal build in build/ and a
# build with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan/. Both must pass. Where a
# Qt for Windows is at hand (scripts/windows/toolchain.sh), the Windows build in build-windows/ and
# its installer are made too, and the same tests must pass under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DVANTOREL_BUILD_TESTS=ON
ctest --test-dir build --output-on-failure -j "$(nproc)"

scripts/build.sh build-asan -DVANTOREL_BUILD_TESTS=ON -DVANTOREL_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=0:halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

if scripts/windows/toolchain.sh --available; then
    scripts/windows/build.sh
    scripts/windows/test.sh
else
    echo "SKIPPED: the Windows build and its tests under Wine: no Qt for Windows was found" \
        "(scripts/windows/toolchain.sh says how to make one)"
fi
