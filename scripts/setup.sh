#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build, the tests and the saver's run need.
# Idempotent: installs only what is missing. Needs root, or sudo when not root.
set -euo pipefail

packages=(
    # native build, format check (git ls-files)
    build-essential cmake ninja-build git clang-format libgtest-dev
    # sanitizer and fuzz builds; llvm gives the sanitizers' llvm-symbolizer
    clang libclang-rt-14-dev llvm
    # cross build and setup program
    g++-mingw-w64-x86-64 nsis
    # Windows tests: Wine on a virtual display (Xephyr inside it for monitors side by side),
    # input, screenshots; stress-ng to check the screen tests under load
    wine wine64 xvfb xserver-xephyr xdotool x11-utils imagemagick stress-ng
    # a font with CJK letters, for the Unicode names under Wine
    fonts-wqy-microhei
    # skins and artwork
    python3 python3-pil fonts-dejavu-core
    # the PGN benchmark's peer
    pgn-extract
    # the native Linux program: Xlib, Xft and Pango for its text, Xinerama's monitors and DPMS, the
    # image decoder, XScreenSaver and its test fonts (fonts-dejavu-core above has the Arabic letters)
    libx11-dev libxft-dev libxext-dev libxinerama-dev libfontconfig-dev libpango1.0-dev libstb-dev
    xscreensaver fonts-urw-base35
    # its full-screen window's tests: window managers that honour EWMH (icewm also spans monitors),
    # xrandr for the virtual display's monitors, XFixes for the pointer's shape
    openbox icewm x11-xserver-utils libxfixes3
    # the reference rendering of shaped names, and the Debian package's check
    pango1.0-tools lintian
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
