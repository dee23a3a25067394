#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: a debug build and a build with the address
# and undefined-behaviour sanitizers; then every fuzz target for 30 seconds. Widget tests run on Qt's offscreen
# platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
jobs=$(nproc)
for preset in debug asan; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
tools/fuzz.sh 30
