#!/usr/bin/env bash
# Builds the Debian package of the editor: zt461-editor_<version>_amd64.deb in the repository's
# folder (or OUT_DIR), with zt461-editor, zt461-sim (and zt461ctl where the project has it), the
# desktop entry, icons, AppStream metainfo, man pages and the .Nddt file type. The programs are
# built in a build folder of their own with Debian's hardening flags (dpkg-buildflags); the
# package's dependencies come from the built programs (dpkg-shlibdeps).
# Install it with: sudo apt install ./zt461-editor_<version>_amd64.deb
# Environment: BUILD_DIR (default build-package), OUT_DIR (default the repository), JOBS;
# FROM_BUILD: a build folder the project is already configured and built in, packaged as it is
# (the test command's own tree, so that its check of the package compiles nothing again).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/setup.sh

build=$(realpath -m "${BUILD_DIR:-build-package}")
out=$(realpath -m "${OUT_DIR:-$root}")
jobs=${JOBS:-$(nproc)}

# Debian's hardening; no debug information (the package's programs are stripped) and no
# folder-dependent flags, so that the compiler cache serves a build in another clone too.
export DEB_BUILD_MAINT_OPTIONS="hardening=+all reproducible=-fixfilepath,-fixdebugpath"
export DEB_CXXFLAGS_MAINT_STRIP="-g"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)

if [ -n "${FROM_BUILD:-}" ]; then
    build=$(realpath -m "$FROM_BUILD")
    [ -f "$build/CMakeCache.txt" ] || { echo "package: $build is no build folder" >&2; exit 1; }
else
    generator=()
    if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then generator=(-GNinja); fi
    cmake -S . -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" \
        -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DBUILD_TESTING=OFF -DZT_BENCH=OFF -DZT_PCH=OFF >/dev/null
fi

targets=(zt461-editor zt461-sim zt461-package-files)
if cmake --build "$build" --target help | grep -Eq '(^|\.\.\. )zt461ctl(:|$)'; then targets+=(zt461ctl); fi
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(find "$build/package" -maxdepth 1 -name 'zt461-editor_*_amd64.deb' -print -quit)
if [ -z "$deb" ]; then
    echo "package: cpack made no package; see $build/package" >&2
    exit 1
fi
mkdir -p "$out"
cp "$deb" "$out/"
echo "$out/$(basename "$deb")"
