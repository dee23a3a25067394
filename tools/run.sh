#!/usr/bin/env bash
# Installs what is missing, builds the release and starts Talkomat.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/app/talkomat "$@"
