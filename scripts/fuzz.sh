#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# FUZZ_SECONDS sets the time per target (default 60). Exits non-zero when a
# target found a fault (a crash, a sanitizer report) or did not build.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/fuzz"
mkdir -p "$out"
command -v clang++ >/dev/null || VELKARO_EXTRA_PKGS="clang libclang-rt-dev" "$here/scripts/install-deps.sh"
core="$here/engine/calendar.cpp $here/engine/dst_rule.cpp $here/engine/bodies.cpp $here/settings/location.cpp \
$here/settings/cities.cpp $here/settings/store.cpp $here/settings/protocol.cpp $here/platform/native/registry_mem.cpp \
$here/platform/native/clock_native.cpp \
$here/editor/record.cpp $here/editor/fields.cpp $here/editor/stock_file.cpp $here/platform/utf8.cpp $here/platform/native/codepage_native.cpp \
$here/platform/native/files_native.cpp"
failed=""
for target in "$here"/tests/fuzz/fuzz_*.cpp; do
    name=$(basename "$target" .cpp)
    # UBSan stops at its first report, as the sanitizers of the tests do.
    clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$here" \
        $core "$target" -o "$out/$name"
    mkdir -p "$out/corpus-$name"
    echo "== $name"
    status=0
    "$out/$name" -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 "$out/corpus-$name" \
        >"$out/$name.log" 2>&1 || status=$?
    tail -n 4 "$out/$name.log"
    if [ "$status" -ne 0 ]; then
        echo "== $name FAILED (exit $status): see $out/$name.log"
        failed="$failed $name"
    fi
done
[ -z "$failed" ] || { echo "fuzz: faults found in:$failed"; exit 1; }
