#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short bounded run of each fuzz target.
# Environment: JOBS (parallel build jobs), FUZZ_SECONDS (per fuzz target, default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=${JOBS:-$(nproc)}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

echo "== normal build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DZT_SANITIZE=ON -DZT_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzz targets"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
echo "All tests passed."
