#!/usr/bin/env bash
# Builds the native program and its skins (build/native) and measures its processor use at one
# move per second; arguments go to measure.py (--seconds N, --quick, --build DIR: a tree already
# built, which is then used as it is).
set -euo pipefail
cd "$(dirname "$0")/../.."
if [[ " $* " != *" --build "* ]]; then
    cmake -S . -B build/native -G Ninja >/dev/null
    cmake --build build/native --target quorvane quorvane_skins -j "$(nproc)" >/dev/null
fi
exec /usr/bin/python3 -B bench/native/measure.py "$@"
