#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
jobs=${JOBS:-$(nproc)}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZT_FUZZ=ON \
    -DBUILD_TESTING=OFF -DZT_BENCH=OFF -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build build-fuzz -j "$jobs" --target $targets
for t in $targets; do
    corpus=build-fuzz/corpus-$t
    mkdir -p "$corpus"
    seeds=fuzz/seeds/$t
    echo "-- $t for ${seconds}s"
    ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/$t -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) 2>&1 | tail -n 12
done
