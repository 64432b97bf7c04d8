#!/usr/bin/env bash
# Builds what the saver benchmark needs in the cross tree (build/win64) and runs it; arguments go to
# measure.py (--seconds N, --game N, --build DIR, --shared DIR).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.toolchain.cmake" >/dev/null
cmake --build build/win64 --target quorvane_stage quorvane_e2e_idle quorvane_e2e_launch -j "$(nproc)" >/dev/null
exec /usr/bin/python3 -B bench/saver/measure.py "$@"
