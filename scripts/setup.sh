#!/usr/bin/env bash
# Installs the Debian packages the editor, its tests and its tools need, where any is missing.
# Used by run-editor.sh and test.sh; safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git ccache
    qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-qpa-plugins libxkbcommon-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libfftw3-dev libkissfft-dev
    clang libclang-rt-14-dev
    xvfb xauth libxcb-cursor0 libxkbcommon-x11-0 imagemagick x11-utils socat
    pulseaudio pulseaudio-utils xdotool espeak-ng sox swh-plugins
    fonts-wqy-microhei qt6-translations-l10n
    dpkg-dev fakeroot file lintian desktop-file-utils appstream shared-mime-info librsvg2-bin
    help2man man-db
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -q
    "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
