#!/bin/sh
# Builds the libFuzzer targets of tests/fuzz with clang (the fuzz tree of
# CMakeLists.txt) and runs each for a bounded time. FUZZ_SECONDS sets the time
# per target (default 60). Fails when a target crashes or finds undefined
# behaviour; the input that did it is left in build/fuzz.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/build/fuzz"
command -v clang++ >/dev/null || VELKARO_EXTRA_PKGS="clang libclang-rt-dev" "$here/scripts/install-deps.sh"
cmake -S "$here" -B "$out" -DVELKARO_FUZZ=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$out" -j "$(nproc)"
failed=""
for src in "$here"/tests/fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    mkdir -p "$out/corpus-$name"
    echo "== $name"
    if "$out/$name" -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 \
            -artifact_prefix="$out/$name-" "$out/corpus-$name" >"$out/$name.log" 2>&1; then
        tail -n 4 "$out/$name.log"
    else
        tail -n 40 "$out/$name.log"
        failed="$failed $name"
    fi
done
[ -z "$failed" ] || { echo "fuzz: findings in:$failed (logs and inputs in $out)"; exit 1; }
