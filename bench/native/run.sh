#!/usr/bin/env bash
# Builds the native program and its skins (build/native) and measures its processor use at one
# move per second; arguments go to measure.py (--seconds N, --build DIR).
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build/native -G Ninja >/dev/null
cmake --build build/native --target quorvane quorvane_skins -j "$(nproc)" >/dev/null
exec /usr/bin/python3 -B bench/native/measure.py "$@"
