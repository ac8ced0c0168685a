#!/usr/bin/env bash
# Runs every fuzz target for a bounded time under ASan and UBSan, from the seeds in
# fuzz/corpus (left unchanged: new inputs go to a scratch copy). A crash, a sanitizer report or
# a broken property ends the run with a non-zero status and the reproducer in the log.
# Usage: fuzz/run_fuzzers.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$(readlink -f "$1")
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0
failed=0
for target in leading_number strict_number whole_part startup ini_text; do
    mkdir -p "$scratch/$target"
    log=$scratch/$target.log
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$scratch/" "$scratch/$target" "$here/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz_$target: $runs executions in ${seconds} s, no finding"
        passed=$((passed + 1))
    else
        echo "fuzz_$target: FAILED"
        tail -n 40 "$log"
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
