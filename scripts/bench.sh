#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFENDRAL_TESTS=OFF -DFENDRAL_BENCH=ON
cmake --build build/bench
for benchmark in build/bench/bench/fendral_bench_*; do
    "$benchmark"
done
