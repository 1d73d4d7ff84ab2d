#!/usr/bin/env bash
# Runs the editor against the processor simulator zt461-sim.
#
# For now only the simulator is started, in the foreground: the editor's window is not part of
# the build yet. The simulator shows up in the editor's port list as the virtual port ZT461-SIM
# (a link in $XDG_RUNTIME_DIR/zt461/ports, else /tmp/runtime-<user>/zt461/ports).
# Arguments are passed to zt461-sim (see zt461-sim --help); Ctrl+C ends it and removes the port.
# Environment: BUILD_DIR (default build), JOBS (parallel build jobs).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build_dir=${BUILD_DIR:-build}
jobs=${JOBS:-$(nproc)}
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j "$jobs" --target zt461-sim

echo "Note: the editor window is not built yet; starting the processor simulator alone."
echo "Connect any program to the port it prints below, or press Ctrl+C to end it."
exec "$build_dir/sim/zt461-sim" "$@"
