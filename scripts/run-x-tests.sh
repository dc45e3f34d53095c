#!/usr/bin/env bash
# Runs the window tests labelled x11 (window focus, keys typed through the X
# server) under a private X server (Xvfb) with a window manager (openbox), both
# started here and stopped on every way out. Other tests run offscreen.
# Usage: scripts/run-x-tests.sh <build-dir> [ctest option ...]
set -euo pipefail
build=$1
shift

scratch=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
  [ -z "$wm" ] || kill "$wm" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# Waits up to 10 s for the file $1, written by $2 once it runs.
wait_for() {
  for _ in $(seq 100); do
    [ -s "$1" ] && return 0
    sleep 0.1
  done
  echo "run-x-tests: $2 did not start; $(cat "$scratch"/*.log)" >&2
  exit 1
}

# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
wait_for "$scratch/display" Xvfb
export DISPLAY=":$(head -n1 "$scratch/display")"

openbox --startup "sh -c 'echo up >$scratch/wm-ready'" >"$scratch/wm.log" 2>&1 &
wm=$!
wait_for "$scratch/wm-ready" openbox

QT_QPA_PLATFORM=xcb ctest --test-dir "$build" -L x11 --output-on-failure "$@"
