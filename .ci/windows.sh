#!/usr/bin/env bash
# Continuous integration of the Windows build: quorvale.exe cross-built with
# MinGW-w64, its tests run under Wine, every end-to-end transcript
# compared byte for byte between quorvale.exe and the Linux program, and
# the zip a Windows user downloads checked for its contents.
# Runs on a fresh Debian (bookworm) machine; installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libboost-dev python3 googletest g++-mingw-w64-x86-64-posix wine wine64 unzip)
if ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

# Wine quiet, without a display, and in a prefix of its own that is
# removed afterwards (CTest uses one in the build directory).
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
WINEPREFIX=$(mktemp -d)/wineprefix
export WINEPREFIX
trap 'wineserver -k 2>/dev/null || true; rm -rf "$(dirname "$WINEPREFIX")"' EXIT

echo "== quorvale.exe and its tests under Wine"
cmake --workflow --preset windows

echo "== the Linux program"
cmake --workflow --preset release

echo "== every transcript: quorvale.exe under Wine against the Linux program"
tests/windows/compare_transcripts.sh --linux build/release/quorvale \
  build/windows/quorvale.exe tests/e2e

echo "== the zip for Windows: the program, the README and the licence"
time cmake --build build/windows --target package
zip=build/windows/quorvale-1.0.0-win64.zip
echo "$zip: $(stat -c %s "$zip") bytes"
unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort > "$(dirname "$WINEPREFIX")/zip.files"
printf '%s\n' quorvale-1.0.0-win64/LICENSE.txt quorvale-1.0.0-win64/README.txt \
  quorvale-1.0.0-win64/quorvale.exe | diff -u - "$(dirname "$WINEPREFIX")/zip.files"
