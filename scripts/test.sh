#!/usr/bin/env bash
# Builds everything and runs every test: formatting, the native tests, the same tests under
# ASan+UBSan with short fuzz runs, and the Windows build's tests under Wine on a virtual display.
# Installs what it needs with apt-get first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)

step() { printf '\n== %s\n' "$*"; }

step "setup"
./scripts/setup.sh

step "format"
./scripts/check-format.sh

step "native build and tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

step "sanitizer build, tests and fuzz runs"
# Line tables are all a sanitizer's report needs, and build in far less time than full debug data.
CC=clang CXX=clang++ cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
    -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" -DQUORVANE_FUZZ=ON >/dev/null
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

step "Windows build and tests under Wine"
# Every run gets a fresh Wine prefix and its own virtual display.
export QUORVANE_WINEPREFIX="$root/build/wine-prefix"
rm -rf "$QUORVANE_WINEPREFIX" "$QUORVANE_WINEPREFIX.lock"
source ./scripts/xvfb.sh
StartVirtualDisplay
trap StopVirtualDisplay EXIT
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.toolchain.cmake" >/dev/null
cmake --build build/win64 -j "$jobs"
# The Wine tests mostly wait for a screen to show a state: one more at a time than cores.
ctest --test-dir build/win64 --output-on-failure -j "$((jobs + 1))"

step "all tests passed"
