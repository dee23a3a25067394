#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 30).
# A longer hunt: tools/fuzz.sh 3600. Findings (crash-*, leak-*, timeout-*) are kept in build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
findings=build/fuzz/findings
mkdir -p "$findings"
failed=0
passed=0
for seeds in tests/fuzz/corpus/*/; do
    target=$(basename "$seeds")
    work=$(mktemp -d)
    echo "=== $target (${seconds}s) ==="
    if build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/$target-" -print_final_stats=1 "$work" "$seeds" >"$work.log" 2>&1; then
        grep -E '^(stat::number_of_executed_units|#[0-9]+[[:space:]]+DONE)' "$work.log" || true
        passed=$((passed + 1))
    else
        tail -n 40 "$work.log"
        failed=$((failed + 1))
    fi
    rm -rf "$work" "$work.log"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
