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

# The next stage's build runs at the lowest priority while a stage's tests run: those mostly
# wait on a link, a timer or the sound server, and take the processor back whenever they need it.
# Its output is shown when it is waited for; a failing stage stops it.
background=
background_log=
build_behind() {  # log file, command... (a program or an exported function)
    background_log=$1
    shift
    # setsid: its own process group, so that the compilers stop with it.
    setsid nice -n 19 bash -c 'set -eo pipefail; "$@"' build "$@" >"$background_log" 2>&1 &
    background=$!
}
wait_behind() {
    local status=0
    wait "$background" || status=$?
    background=
    cat "$background_log"
    return "$status"
}
stop_behind() {
    if [ -n "$background" ]; then kill -- "-$background" 2>/dev/null || true; fi
}
trap stop_behind EXIT

build_asan() {
    cmake -S . -B build-asan $(generator_for build-asan) -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS_DEBUG="-g1" -DZT_SANITIZE=ON -DZT_BENCH=OFF -DZT_PCH=ON $unity >/dev/null
    cmake --build build-asan -j "$jobs"
}
export -f generator_for build_asan
export jobs unity

echo "== normal build"
cmake -S . -B build $(generator_for build) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" -DZT_PCH=ON $unity >/dev/null
cmake --build build -j "$jobs"
build_behind build/asan-build.log build_asan
ctest --test-dir build --output-on-failure -j "$test_jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
wait_behind
# Nothing builds behind the sanitizer tests: their link timers run late enough on a loaded
# machine (a silent processor's link ended 1.7 s late beside the fuzz build) without more load.
ctest --test-dir build-asan --output-on-failure -j "$test_jobs"

echo "== fuzz targets"
bash scripts/fuzz.sh "${FUZZ_SECONDS:-15}"
echo "All tests passed."
