#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build, the tests and the saver's run need.
# Idempotent: installs only what is missing. Needs root, or sudo when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build git
    clang libclang-rt-14-dev llvm clang-format
    libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64 mingw-w64-tools
    wine wine64 xvfb xdotool x11-utils imagemagick nsis fonts-dejavu-core fonts-wqy-microhei
    python3 python3-pil pgn-extract
    libx11-dev libxft-dev libfontconfig-dev libstb-dev xscreensaver fonts-urw-base35
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
