#!/usr/bin/env bash
# Builds the editor and the processor simulator, starts the simulator, then the editor, and
# stops the simulator when the editor ends.
#
# On a machine with a display the editor simply runs there. Without one, both run under a
# private Xvfb server (no window manager; the window opens in the middle of the screen): the
# script waits until the editor has linked to the simulator, shapes a few music EQ bands by
# dragging their points on the graph (where xdotool is installed), takes a screenshot of the
# screen, prints its path and stops everything again. The package's screenshot,
# docs/images/zt461-editor.png, is that picture cut to the window.
#
# The simulator shows up in the editor's port list as the virtual port ZT461-SIM (a link in
# $XDG_RUNTIME_DIR/zt461/ports). Arguments are passed to zt461-sim (see zt461-sim --help), for
# example --delay-ms=50 or --drop-acks=0.1.
# Environment: BUILD_DIR (default build), JOBS (parallel build jobs), ONLINE_TIMEOUT seconds to
# wait for the link without a display (default 60).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

build=$(realpath -m "${BUILD_DIR:-build}")
jobs=${JOBS:-$(nproc)}
timeout_s=${ONLINE_TIMEOUT:-60}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$jobs" --target zt461-editor zt461-sim

work=$(mktemp -d "${TMPDIR:-/tmp}/zt461-run.XXXXXX")
pids=()
cleanup() {
    # Stop what this script started, newest first.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The simulator puts its port where the editor looks for virtual ports: the runtime folder.
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -w "${XDG_RUNTIME_DIR:-/nonexistent}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

sim_args=("$@")
status="$work/sim.status"
start_simulator() {
    "$build/sim/zt461-sim" --status-file="$status" "${sim_args[@]}" >"$work/sim.log" 2>&1 &
    pids+=($!)
    # The port exists once the status file does.
    for _ in $(seq 1 100); do
        [ -s "$status" ] && return 0
        sleep 0.1
    done
    echo "run-editor: the simulator did not start; see $work/sim.log" >&2
    exit 1
}

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    start_simulator
    "$build/app/zt461-editor"
    exit 0
fi

# No display: a private X server on the first free display number.
# shellcheck source=lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
start_private_xvfb 99 "$work/xvfb.log"

start_simulator
"$build/app/zt461-editor" >"$work/editor.log" 2>&1 &
editor=$!
pids+=("$editor")

deadline=$((SECONDS + timeout_s))
until [ "$(cat "$status" 2>/dev/null)" = "online" ]; do
    if ! kill -0 "$editor" 2>/dev/null; then
        echo "run-editor: the editor ended early; see $work/editor.log" >&2
        exit 1
    fi
    if [ $SECONDS -ge $deadline ]; then
        echo "run-editor: no link after ${timeout_s} s; see $work/sim.log" >&2
        exit 1
    fi
    sleep 0.2
done
sleep 0.5  # let the window repaint after the download

# With xdotool at hand, shape a few bands of the music EQ by dragging their points on the graph,
# so that the screenshot shows the curve at work. The window opens in the middle of the screen;
# inside it the graph's plot starts at (45, 294) and is 883 x 268 pixels, 0 dB on its row 89.
window_origin() {  # "x y" of the editor's window (Qt's 1 x 1 leader window shares its title)
    xwininfo -display "$DISPLAY" -root -tree |
        awk '/"ZT461 Audio Contrller": \("/ && / 1206x611/ { split($NF, p, "+"); print p[2], p[3]; exit }'
}
drag_band() {  # frequency in Hz of the band's point, then the move in pixels
    local x y
    x=$(awk -v f="$1" -v o="$origin_x" 'BEGIN { printf "%d", o + 45 + (log(f) / log(10) - 1) / 3.380211241711606 * 883 + 0.5 }')
    y=$((origin_y + 383))
    xdotool mousemove "$x" "$y" mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove "$((x + $2 * step / 6))" "$((y + $3 * step / 6))"
        sleep 0.03
    done
    xdotool mouseup 1
    sleep 0.2
}
if command -v xdotool >/dev/null && read -r origin_x origin_y < <(window_origin); then
    drag_band 50.6 -10 -50   # a bass lift
    drag_band 315 25 40      # a cut in the low mids
    drag_band 3050 10 -35    # presence
    drag_band 12000 20 30    # a little less air
    sleep 0.5
fi

shot="$work/zt461-editor.png"
/usr/bin/import -display "$DISPLAY" -window root "$shot"
echo "$shot"
