#!/usr/bin/env bash
# Times the named-openings table's one-time build and naming the opening of every game of
# twic1599_100k.pgn from the shared PGN folder (processor time, best of RUNS rounds).
# Run by hand: bench/openings/run.sh [SHARED_PGN_FOLDER] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
shared=${1:-$root/../shared/pgn}
runs=${2:-5}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-openings}
file=$shared/shakmaty-benches/twic1599_100k.pgn
[ -f "$file" ] || { echo "no $file" >&2; exit 2; }

echo "== build (Release) in $work/build"
cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" -j2 --target opening_bench >/dev/null
echo "== $(basename "$file")"
"$work/build/bench/openings/opening_bench" "$file" "$runs"
