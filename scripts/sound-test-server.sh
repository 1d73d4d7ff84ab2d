#!/usr/bin/env bash
# A private PulseAudio server for the sound-card tests: its own runtime folder, no hardware, and
# a pipe source (8-bit unsigned mono, 48 kHz) as the default input, fed by the tests through a
# FIFO at real-time pace. Tests reach it with PULSE_SERVER=unix:FOLDER/native and write sound
# into FOLDER/source.fifo.
#   sound-test-server.sh start FOLDER   starts it (stopping an earlier one in FOLDER) and waits
#                                        until the pipe source is there; fails within seconds
#   sound-test-server.sh start FOLDER room
#                                        a room instead of the pipe source: the default output
#                                        runs through two parametric EQs (swh-plugins' LADSPA
#                                        singlePara: -6 dB at 200 Hz, 1 octave wide; +5 dB at
#                                        3 kHz, 1.5 octaves) into a null sink, whose monitor is
#                                        the default input (as a source of its own: the sound
#                                        system's clients do not offer monitors), all at 48 kHz
#   sound-test-server.sh stop FOLDER    stops it
set -euo pipefail

action=${1:-}
folder=${2:-}
mode=${3:-pipe}
if [ -z "$action" ] || [ -z "$folder" ]; then
    echo "usage: $0 start|stop FOLDER" >&2
    exit 2
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
pid_file=$folder/pid
socket=$folder/native
log=$folder/server.log

stop_silence() {
    local pid
    pid=$(cat "$folder/silence.pid" 2>/dev/null || true)
    if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
    rm -f "$folder/silence.pid"
}

# Like a real sound card, the source never runs dry: while no test feeds it (a test feeding it
# holds source.lock), silence goes in at about real-time pace. Without it the sound system's
# start of a recording can wait for the first sound for ever. Writes that find the FIFO full
# (nobody records) are dropped.
start_silence() {
    head -c 4800 /dev/zero | tr '\0' '\200' >"$folder/silence.raw"
    (
        exec 9>"$folder/source.lock"
        while [ -p "$folder/source.fifo" ]; do
            if flock -n 9; then
                dd if="$folder/silence.raw" of="$folder/source.fifo" bs=4800 count=1 \
                    oflag=nonblock conv=notrunc status=none 2>/dev/null || true
                flock -u 9
            fi
            sleep 0.1
        done
    ) </dev/null >/dev/null 2>&1 &
    echo $! >"$folder/silence.pid"
}

stop_server() {
    stop_silence
    [ -f "$pid_file" ] || return 0
    local pid
    pid=$(cat "$pid_file")
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$pid_file"
}

if [ "$action" = stop ]; then
    stop_server
    rm -f "$socket" "$folder/source.fifo"
    exit 0
fi
[ "$action" = start ] || { echo "unknown action $action" >&2; exit 2; }

if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    echo "sound test server: pulseaudio and pactl are needed (scripts/setup.sh installs them)" >&2
    exit 1
fi
stop_server
rm -f "$socket" "$folder/source.fifo" "$log"

if [ "$mode" = room ]; then
    ready_name=zt_room
    export LADSPA_PATH=${LADSPA_PATH:-/usr/lib/ladspa}
    cat >"$folder/server.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
load-module module-null-sink sink_name=zt_room_out rate=48000 channels=1 format=s16le
load-module module-ladspa-sink sink_name=zt_room_treble master=zt_room_out rate=48000 channels=1 plugin=single_para_1203 label=singlePara control=5,3000,1.5
load-module module-ladspa-sink sink_name=zt_room master=zt_room_treble rate=48000 channels=1 plugin=single_para_1203 label=singlePara control=-6,200,1
load-module module-remap-source source_name=zt_room_in master=zt_room_out.monitor rate=48000 channels=1
set-default-sink zt_room
set-default-source zt_room_in
PA
else
    ready_name=zt_test_source
    cat >"$folder/server.pa" <<PA
load-module module-native-protocol-unix auth-anonymous=1 socket=$socket
load-module module-pipe-source source_name=zt_test_source file=$folder/source.fifo format=u8 rate=48000 channels=1
set-default-source zt_test_source
PA
fi

# Everything the server writes stays in the folder; as root it must be told to run per user.
export HOME=$folder XDG_RUNTIME_DIR=$folder XDG_CONFIG_HOME=$folder XDG_STATE_HOME=$folder
export PULSE_RUNTIME_PATH=$folder PULSE_STATE_PATH=$folder
unset PULSE_SERVER DBUS_SESSION_BUS_ADDRESS
# A raised priority (where the user may raise it, as root may) keeps the server's streams
# running while the tests' builds and other programs keep every core busy, as a sound system's
# own priority does on a desktop; elsewhere the server runs at normal priority.
timeout 20 pulseaudio --daemonize=yes --system=false -n -F "$folder/server.pa" \
    --use-pid-file=yes --exit-idle-time=-1 --disallow-exit --disallow-module-loading=no \
    --realtime=no --high-priority=yes --log-level=notice --log-target="file:$log" ||
    { echo "sound test server: pulseaudio did not start" >&2; cat "$log" >&2 2>/dev/null; exit 1; }

for _ in $(seq 100); do
    if { timeout 2 pactl --server="unix:$socket" list short sinks &&
        timeout 2 pactl --server="unix:$socket" list short sources; } 2>/dev/null |
        grep -qw "$ready_name"; then
        [ "$mode" = room ] || start_silence
        echo "sound test server ready in $folder"
        exit 0
    fi
    sleep 0.1
done
echo "sound test server: $ready_name did not appear" >&2
cat "$log" >&2 2>/dev/null || true
stop_server
exit 1
