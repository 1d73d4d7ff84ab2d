#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds, as many
# at once as there are build jobs (each fuzzer runs on one core).
# Usage: fuzz.sh [seconds] [build|run|both]; build only builds, run only runs what was built.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
steps=${2:-both}
jobs=${JOBS:-$(nproc)}
# Ninja for a new build folder; a folder keeps the generator it was made with. Line tables are
# all the debug information the sanitizers' stack traces need.
if [ "$steps" != run ]; then
    generator=
    if [ ! -f build-fuzz/CMakeCache.txt ] && command -v ninja >/dev/null; then generator=-GNinja; fi
    CC=clang CXX=clang++ cmake -S . -B build-fuzz $generator -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" -DZT_FUZZ=ON \
        -DBUILD_TESTING=OFF -DZT_BENCH=OFF -DCMAKE_UNITY_BUILD=ON \
        -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 >/dev/null
fi
targets=$(cd fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
[ "$steps" = run ] || cmake --build build-fuzz -j "$jobs" --target $targets
[ "$steps" != build ] || exit 0

# One target's run, its output kept in build-fuzz/<target>.log.
fuzz_one() {
    local t=$1 corpus=build-fuzz/corpus-$1 seeds=fuzz/seeds/$1
    mkdir -p "$corpus"
    ASAN_OPTIONS=detect_leaks=1 build-fuzz/fuzz/$t -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 "$corpus" $([ -d "$seeds" ] && echo "$seeds") >"build-fuzz/$t.log" 2>&1
}

failed=()
set -- $targets
while [ $# -gt 0 ]; do
    batch=() pids=()
    while [ $# -gt 0 ] && [ ${#batch[@]} -lt "$jobs" ]; do
        batch+=("$1")
        fuzz_one "$1" &
        pids+=($!)
        shift
    done
    for i in "${!batch[@]}"; do
        t=${batch[$i]} status=0
        wait "${pids[$i]}" || status=$?
        echo "-- $t for ${seconds}s"
        if [ "$status" -eq 0 ]; then
            tail -n 12 "build-fuzz/$t.log"
        else
            tail -n 80 "build-fuzz/$t.log"
            failed+=("$t")
        fi
    done
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz targets that failed: ${failed[*]}"
    exit 1
fi
