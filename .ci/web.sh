#!/usr/bin/env bash
# Continuous integration of the web page: the core compiled to WebAssembly
# with Debian's clang for wasm32-wasi, the one-file page assembled, and its
# tests in headless Chromium against the native program's JSON (preset
# "web"). Runs on a fresh Debian (bookworm) machine; installs what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libboost-dev clang lld-14 llvm-14 wasi-libc libc++-14-dev-wasm32
          libc++abi-14-dev-wasm32 libclang-rt-14-dev-wasm32 binaryen chromium chromium-driver
          python3-selenium)
if ! dpkg -s "${packages[@]}" >/dev/null 2>&1; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
fi

echo "== the page, and its tests in Chromium"
time cmake --workflow --preset web
page=build/web/quorvale.html
echo "$page: $(stat -c %s "$page") bytes; screenshots: $(ls build/web/*.png 2>/dev/null | tr '\n' ' ')"
