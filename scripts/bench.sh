#!/bin/sh
# Runs every benchmark program of the native tree; fails when one of them
# crashes or reports an error (a benchmark that skips with an error still
# exits 0, so its JSON report is read as well).
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
native="$here/build/native"
failed=""
for src in "$here"/bench/*.cpp; do
    name=$(basename "$src" .cpp)
    report="$native/$name.json"
    rm -f "$report"
    if ! "$native/$name" --benchmark_out="$report" --benchmark_out_format=json; then
        failed="$failed $name"
    elif grep -q '"error_occurred": true' "$report"; then
        echo "$name: a benchmark reported an error (see $report)"
        failed="$failed $name"
    fi
done
[ -z "$failed" ] || { echo "benchmarks failed:$failed"; exit 1; }
