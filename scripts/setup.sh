#!/usr/bin/env bash
# Installs what building and testing need on a fresh Debian 12 machine (as root), then
# builds the shipped 32-bit binaries (build/win32/bin) and the 64-bit build that the tests
# run under Wine (build/win64/bin). Safe to run again: it installs only what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake make g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
