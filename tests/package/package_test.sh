#!/usr/bin/env bash
# The Debian package as a user meets it: built once by scripts/package.sh, checked with lintian,
# desktop-file-validate and appstreamcli, unpacked into a folder of its own (nothing is
# installed on the machine), and its editor run under a private Xvfb against its simulator
# until the two are linked.
# Argument: a work folder (emptied first). Environment: JOBS for the build (default 1);
# FROM_BUILD, a built tree to package instead of building one (see scripts/package.sh).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(realpath -m "${1:?work folder}")
rm -rf "$work/unpacked" "$work/run" "$work"/*.deb
mkdir -p "$work/run"

fail() {
    echo "package test: $*" >&2
    exit 1
}

pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
}
trap cleanup EXIT

echo "== building the package"
deb=$(BUILD_DIR="$work/build" OUT_DIR="$work" JOBS=${JOBS:-1} bash "$root/scripts/package.sh" | tail -n 1)
[ -f "$deb" ] || fail "no package made"
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "zt461-editor_${version}_amd64.deb" ] || fail "unexpected name $deb"
echo "$deb"
dpkg-deb -I "$deb"

echo "== dependencies from the programs"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6core6 libqt6widgets6 libqt6serialport6 libqt6multimedia6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

echo "== lintian"
lintian --fail-on error,warning --display-info --show-overrides "$deb"

echo "== contents"
unpacked="$work/unpacked"
dpkg-deb -x "$deb" "$unpacked"
dpkg-deb -c "$deb"
for file in usr/bin/zt461-editor usr/bin/zt461-sim \
    usr/share/icons/hicolor/scalable/apps/zt461-editor.svg \
    usr/share/icons/hicolor/48x48/apps/zt461-editor.png \
    usr/share/icons/hicolor/256x256/apps/zt461-editor.png \
    usr/share/man/man1/zt461-editor.1.gz usr/share/man/man1/zt461-sim.1.gz \
    usr/share/mime/packages/zt461-editor.xml usr/share/doc/zt461-editor/copyright; do
    [ -s "$unpacked/$file" ] || fail "missing $file"
done
for size in 48 256; do
    identify -format '%wx%h\n' "$unpacked/usr/share/icons/hicolor/${size}x${size}/apps/zt461-editor.png" |
        grep -qx "${size}x${size}" || fail "the ${size} px icon has another size"
done
desktop=$(find "$unpacked/usr/share/applications" -name '*.desktop' -print -quit)
metainfo=$(find "$unpacked/usr/share/metainfo" -name '*.metainfo.xml' -print -quit)
[ -n "$desktop" ] && [ -n "$metainfo" ] || fail "no desktop entry or metainfo"

echo "== desktop entry and metainfo"
desktop-file-validate "$desktop"
appstreamcli validate --no-net --explain "$metainfo"
grep -q "<screenshot" "$metainfo" || fail "metainfo without a screenshot"
[ -s "$root/docs/images/zt461-editor.png" ] || fail "docs/images/zt461-editor.png is missing"

echo "== the .Nddt file type opens the editor"
mime="$work/run/share/mime"
mkdir -p "$mime/packages"
cp "$unpacked/usr/share/mime/packages/zt461-editor.xml" "$mime/packages/"
update-mime-database "$mime"
type=$(grep -hi ':\*\.nddt' "$mime/globs2" | cut -d: -f2 | head -n 1)
[ -n "$type" ] || fail "no glob for .Nddt"
grep -q "^MimeType=.*$type;" "$desktop" || fail "the desktop entry does not open $type"
grep -q '^Exec=zt461-editor %f$' "$desktop" || fail "the desktop entry does not pass the file"

echo "== the unpacked programs"
editor="$unpacked/usr/bin/zt461-editor"
sim="$unpacked/usr/bin/zt461-sim"
"$editor" --version | grep -qx "zt461-editor $version" || fail "--version does not say $version"
"$editor" --help | grep -q '^Usage: zt461-editor' || fail "--help shows no usage"
if readelf -d "$editor" | grep -Eq 'RPATH|RUNPATH'; then fail "the editor carries a run path"; fi

echo "== the unpacked editor links to the unpacked simulator under Xvfb"
export XDG_RUNTIME_DIR="$work/run/runtime" XDG_CONFIG_HOME="$work/run/config"
export XDG_DATA_HOME="$work/run/data" QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
# shellcheck source=../../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
start_private_xvfb $((200 + $$ % 200)) "$work/run/xvfb.log"
status="$work/run/sim.status"
"$sim" --status-file="$status" >"$work/run/sim.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do
    [ -s "$status" ] && break
    sleep 0.1
done
"$editor" >"$work/run/editor.log" 2>&1 &
editor_pid=$!
pids+=("$editor_pid")
deadline=$((SECONDS + 90))
until [ "$(cat "$status" 2>/dev/null)" = "online" ]; do
    kill -0 "$editor_pid" 2>/dev/null || fail "the editor ended: $(cat "$work/run/editor.log")"
    [ $SECONDS -lt $deadline ] || fail "no link within 90 s: $(cat "$status")"
    sleep 0.2
done
echo "online"
# The settings file names the port that answered.
deadline=$((SECONDS + 10))
until grep -q '^lastPort=ZT461-SIM$' "$XDG_CONFIG_HOME/zt461/zt461-editor.conf" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the answering port was not kept"
    sleep 0.2
done
echo "package test passed"
