#!/usr/bin/env bash
# Installs the benchmark baselines, builds bench/ optimised and runs every benchmark
# pinned to one core: 10 repetitions in random interleaving, real time. Each program
# prints its goals as ratios of medians measured in the same run.
# Usage: ./bench.sh [benchmark-name-filter]
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh libpixman-1-dev libstb-dev libvips-dev libopencv-dev libtiff-dev

build=build/bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALDRUNE_TESTS=OFF \
      -DVALDRUNE_FUZZ=OFF -DVALDRUNE_BENCH=ON
cmake --build "$build" -j "$(nproc)"

filter="${1:-}"
export QT_QPA_PLATFORM=offscreen
for program in "$build"/bench/*/bench_*; do
  [ -x "$program" ] || continue
  name=$(basename "$program")
  [ -z "$filter" ] || [[ "$name" == *"$filter"* ]] || continue
  echo "== $name"
  taskset -c 0 "$program" --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_min_time=0.05
done
