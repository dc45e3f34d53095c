#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it in a working folder
# laid out as the program expects: ./fw.xml, ./ini.xml and ./res/ beside it.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

build=build/release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALDRUNE_TESTS=OFF -DVALDRUNE_FUZZ=OFF
cmake --build "$build" -j "$(nproc)" --target valdrune-editor

# The working folder keeps the user's ini.xml between runs; the bundled catalogue,
# textures and sample worlds are refreshed from data/ each time.
work=build/workdir
mkdir -p "$work"
cp -r data/. "$work/"
cd "$work"
exec "../release/src/app/valdrune-editor" "$@"
