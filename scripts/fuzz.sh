#!/usr/bin/env bash
# Builds the formula fuzzer with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# in build-fuzz/ and runs it: scripts/fuzz.sh [seconds] (default 600). The growing corpus is kept
# in fuzz-out/corpus; a crashing or failing input is written to fuzz-out/ and ends the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVANTOREL_BUILD_FUZZ=ON -DVANTOREL_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    >/dev/null
cmake --build build-fuzz --target fuzz_formula -j "$(nproc)"

mkdir -p fuzz-out/corpus
ASAN_OPTIONS=halt_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    build-fuzz/fuzz/fuzz_formula fuzz-out/corpus fuzz/seeds \
    -dict=fuzz/formula.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=fuzz-out/ -print_final_stats=1
