#!/usr/bin/env bash
# Builds and runs every test: the normal build, the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short bounded run of each fuzz target.
# Environment: JOBS (parallel build jobs), TEST_JOBS (tests at once, default twice JOBS),
# FUZZ_SECONDS (per fuzz target, default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=${JOBS:-$(nproc)}
# Most tests wait on a link, a timer or the sound server rather than compute: twice as many run
# at once as there are cores.
test_jobs=${TEST_JOBS:-$((2 * jobs))}
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# CI builds carry no debug information in the normal build and only line tables in the
# sanitizer build (enough for its stack traces), precompile the Qt headers and compile each
# program's sources in batches of 16 (unity builds): the build, not the tests, used to be most
# of a run's time. Everyday builds compile file by file, which keeps each file's includes honest.
unity="-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16"
# Ninja for new build folders; a folder keeps the generator it was made with.
generator_for() {
    if [ ! -f "$1/CMakeCache.txt" ] && command -v ninja >/dev/null; then echo "-GNinja"; fi
}

echo "== normal build"
cmake -S . -B build $(generator_for build) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DZT_PCH=ON $unity >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$test_jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan $(generator_for build-asan) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1" \
    -DZT_SANITIZE=ON -DZT_BENCH=OFF -DZT_PCH=ON $unity >/dev/null
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$test_jobs"

echo "== fuzz targets"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
echo "All tests passed."
