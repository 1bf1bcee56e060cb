#!/usr/bin/env bash
# Installs Google Benchmark if missing, builds the benchmarks in build-bench/ (Release) and runs
# every bench_* program found there. Extra arguments go to each program, e.g.
# scripts/bench.sh --benchmark_filter=MinuteRefresh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh libbenchmark-dev

cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release \
    -DVANTOREL_BUILD_BENCH=ON -DVANTOREL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target vantorel_benchmarks -j "$(nproc)"

found=0
while IFS= read -r program; do
    found=1
    echo "== ${program#build-bench/}"
    "$program" "$@"
done < <(find build-bench -type f -name 'bench_*' -perm -u+x | sort)
[ "$found" -eq 1 ] || { echo "No bench_* programs found in build-bench" >&2; exit 1; }
