#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test (unit tests, the window tests
# under the offscreen platform, and the fuzz corpora replays), then the window
# tests that need a real X server under Xvfb with openbox.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

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
