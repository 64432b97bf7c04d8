#!/usr/bin/env bash
# Perft nodes per second of processor time, best of several runs: the native Release build, and
# the Windows build under Wine when build/win64 holds it, with the Wine/native ratio. The trees are
# one ply deeper than perft_bench's own (some 600 million nodes), so that Windows' coarse
# processor clock counts each for long enough.
# Run by hand: bench/perft/run.sh [--quick] [--build DIR] [RUNS]
#   --quick: perft_bench's own trees and one run, native only, in seconds,
#   for the test command; --build DIR: the perft_bench of that build tree, already built (default:
#   a Release tree built in build/bench-pgn).
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
quick=0 build=""
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) quick=1; shift ;;
        --build) build=$(cd "$2" && pwd); shift 2 ;;
        *) break ;;
    esac
done
runs=${1:-3}
extra=1
if [ "$quick" = 1 ]; then runs=1 extra=0; fi
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}

if [ -z "$build" ]; then
    cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/build" --target perft_bench >/dev/null
    build=$work/build
fi
echo "== perft_bench (native)"
native=$("$build/bench/perft/perft_bench" "$extra" "$runs")
echo "$native"

windows=$root/build/win64/bench/perft/perft_bench.exe
if [ "$quick" = 0 ] && [ -x "$windows" ] && command -v wine >/dev/null; then
    echo "== perft_bench.exe under Wine ($windows, as built)"
    wine_out=$("$root/cmake/wine-run.sh" "$windows" "$extra" "$runs" | tr -d '\r')
    echo "$wine_out"
    total() { echo "$1" | sed -nE 's/^total .* ([0-9]+) nodes\/s$/\1/p'; }
    printf 'Wine/native: %.2f x the time\n' "$(echo "$(total "$native") / $(total "$wine_out")" | bc -l)"
fi
