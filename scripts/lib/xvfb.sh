# Starts a private X server on the first free display number from FIRST and exports DISPLAY.
# Sourced by scripts that run the editor without a display; the server's process id is added to
# the caller's `pids` array, which the caller's exit trap stops.
# Usage: start_private_xvfb FIRST LOGFILE
start_private_xvfb() {
    local display=$1 log=$2
    while [ -e "/tmp/.X${display}-lock" ] || [ -e "/tmp/.X11-unix/X${display}" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp >"$log" 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X${display}" ] && break
        sleep 0.1
    done
    export DISPLAY=":$display"
}
