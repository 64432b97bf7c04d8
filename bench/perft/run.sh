#!/usr/bin/env bash
# Perft nodes per second of processor time, best of several runs: the native Release build, and
# the Windows build under Wine when build/win64 holds it, with the Wine/native ratio. The trees are
# one ply deeper than perft_bench's own (some 600 million nodes), so that Windows' coarse
# processor clock counts each for long enough. Run by hand: bench/perft/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
runs=${1:-3}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}

cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" --target perft_bench >/dev/null
echo "== perft_bench (native)"
native=$("$work/build/bench/perft/perft_bench" 1 "$runs")
echo "$native"

windows=$root/build/win64/bench/perft/perft_bench.exe
if [ -x "$windows" ] && command -v wine >/dev/null; then
    echo "== perft_bench.exe under Wine ($windows, as built)"
    wine_out=$("$root/cmake/wine-run.sh" "$windows" 1 "$runs" | tr -d '\r')
    echo "$wine_out"
    total() { echo "$1" | sed -nE 's/^total .* ([0-9]+) nodes\/s$/\1/p'; }
    printf 'Wine/native: %.2f x the time\n' "$(echo "$(total "$native") / $(total "$wine_out")" | bc -l)"
fi
