#!/usr/bin/env bash
# Builds an instrumented tree (gcc --coverage, no sanitizers), runs every test and
# fuzz-corpus replay, and prints line and branch coverage of src/: the totals and
# the figures of each folder.
# Usage: scripts/coverage.sh [build-dir]   (default build/coverage)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh gcovr

build="${1:-build/coverage}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALDRUNE_SANITIZE=OFF \
      -DVALDRUNE_TESTS=ON -DVALDRUNE_FUZZ=ON -DVALDRUNE_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage"
cmake --build "$build" -j "$(nproc)"

# Counters from an earlier run would be added to this one's; CMake's compiler probe left
# notes gcov cannot resolve.
find "$build" -name '*.gcda' -delete
find "$build/CMakeFiles" -name '*.gcno' -delete
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -j "$(nproc)" --output-on-failure

# One gcov pass into a trace file, then one summary per folder read from it. Branches the
# compiler adds for exception unwinding are left out: no test can take them.
trace="$build/coverage.json"
gcovr --root . --filter 'src/' --object-directory "$build" \
      --exclude-throw-branches --exclude-unreachable-branches -j "$(nproc)" --json -o "$trace"
summary() { gcovr --add-tracefile "$trace" --root . --filter "$1" --print-summary -o "$build/coverage-summary.txt"; }
echo "== src/ as a whole"
summary 'src/'
for folder in src/*/; do
  echo "== ${folder%/}"
  summary "$folder"
done
