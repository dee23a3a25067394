#!/usr/bin/env bash
# Installs what is missing, checks the format, then builds (warnings are errors) and runs every test twice: a debug
# build and a build with the address and undefined-behaviour sanitizers; then every fuzz target for 30 seconds.
# Widget tests run on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
# Unformatted code fails the run before anything is built: clang-format with the project's .clang-format.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
jobs=$(nproc)
for preset in debug asan; do
    echo "=== $preset ==="
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
tools/fuzz.sh 30
