#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (unit tests, the window tests
# under the offscreen platform, and the fuzz corpora replays), then the window
# tests that need a real X server under Xvfb with openbox, and last builds the
# fuzz targets with clang and libFuzzer and runs each a few seconds.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
# Rebuilds reuse what an earlier run compiled.
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}

build=build/test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALDRUNE_SANITIZE=ON \
      -DVALDRUNE_TESTS=ON -DVALDRUNE_FUZZ=ON -DVALDRUNE_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE x11
scripts/run-x-tests.sh "$build"

# The coverage-guided fuzzing build (a second tree, clang): every target is built and
# fuzzed for a few seconds from a scratch copy of its seed corpus, so the repository is
# not written to; an input that fails is kept in $fuzz_build/crashes/.
fuzz_build=build/fuzz
CXX=clang++ CC=clang cmake -S . -B "$fuzz_build" -G Ninja -DVALDRUNE_LIBFUZZER=ON -DVALDRUNE_SANITIZE=ON \
      -DVALDRUNE_TESTS=OFF
cmake --build "$fuzz_build" -j "$(nproc)" --target fuzz_libfuzzers
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$fuzz_build/crashes"
for corpus in fuzz/*/corpus; do
  name=$(basename "$(dirname "$corpus")")
  cp -R "$corpus" "$scratch/$name"
  if ! "$fuzz_build/fuzz/$name/${name}_libfuzzer" -max_total_time=5 -artifact_prefix="$fuzz_build/crashes/$name-" \
       "$scratch/$name" >"$scratch/$name.log" 2>&1; then
    cat "$scratch/$name.log"
    echo "$name: the fuzzer found a failing input (kept in $fuzz_build/crashes/)" >&2
    exit 1
  fi
  echo "$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$scratch/$name.log")"
  fuzzed=$((${fuzzed:-0} + 1))
done
echo "fuzzing: ${fuzzed:-0} passed, 0 failed"
