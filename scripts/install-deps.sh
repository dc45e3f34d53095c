#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only
# those that are missing. Shared by ./run.sh, ./test.sh and ./bench.sh.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  fonts-dejavu-core
  libpugixml-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libpalm-pdb-perl
  imagemagick libjpeg-turbo-progs # convert, cjpeg, jpegtran: the picture readers' tests
  xvfb openbox xdotool x11-utils # the window tests under a real X server (scripts/run-x-tests.sh)
  clang libclang-rt-dev ccache # the coverage-guided fuzzing build (libFuzzer) that ./test.sh checks
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
