#!/usr/bin/env bash
# Times, in processor time and best of several runs, `quorvane-pgn check` against
# `pgn-extract -r` on a 16 MiB file of tournament games (16 copies of twic1599_1000k.pgn from the
# shared PGN folder), prints plies per second of each and the ratio; then pgn_load_bench: every
# game decoded in process, and LoadCurrentGame for the file's last game. With a Windows build in
# build/win64 (and Wine) the same program runs there too, and the Wine/native ratios follow.
# Run by hand: bench/pgn/run.sh [--quick] [--build DIR] [SHARED_PGN_FOLDER] [RUNS]
#   RUNS of five runs each (default 3); --quick: one copy of the file and one run of each, in
#   seconds, for the test command; --build DIR: the programs of that build tree, already built
#   (default: a Release tree built in build/bench-pgn). Exits 77 when the shared folder is absent.
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
shared=${1:-$root/../shared/pgn}
runs=${2:-3}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}
extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
source_file=$shared/shakmaty-benches/twic1599_1000k.pgn
copies=16 repeat=5
if [ "$quick" = 1 ]; then copies=1 repeat=1 runs=1; fi

[ -f "$source_file" ] || { echo "bench/pgn: skipped, no $source_file"; exit 77; }
[ -x "$extract" ] || { echo "pgn-extract is not installed (apt-get install pgn-extract)" >&2; exit 2; }

if [ -z "$build" ]; then
    echo "== build (Release) in $work/build"
    cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/build" --target quorvane-pgn pgn_load_bench >/dev/null
    build=$work/build
fi
tool=$build/apps/pgn-tool/quorvane-pgn
load=$build/bench/pgn/pgn_load_bench
mkdir -p "$work"

echo "== the file: $copies copies of $(basename "$source_file")"
big=$work/twic1599-x$copies.pgn
for _ in $(seq "$copies"); do cat "$source_file"; echo; done >"$big"
ls -l "$big" | awk '{print $5 " bytes"}'

# Processor time (user + system) of one run, the best of RUNS means of REPEAT runs in a row; a
# run that ends with a status other than the accepted ones fails the benchmark.
best_of() {
    local ok=$1
    shift
    python3 bench/cpu_time.py --runs "$runs" --repeat "$repeat" --ok "$ok" -- "$@"
}

echo "== quorvane-pgn check, pgn-extract -r: processor time, best of $runs means of $repeat runs"
# check exits 1 when some game stops early, which tournament files have: expected, not a failure.
status=0
"$tool" check "$big" >"$work/check.out" || status=$?
[ "$status" -le 1 ] || { echo "quorvane-pgn check failed with status $status" >&2; exit 1; }
summary=$(tail -1 "$work/check.out")
echo "$summary"
our_plies=$(echo "$summary" | sed -nE 's/^[0-9]+ games, ([0-9]+) plies.*/\1/p')
[ -n "$our_plies" ] || { echo "quorvane-pgn check printed no summary" >&2; exit 1; }
our_time=$(best_of 0,1 "$tool" check "$big")
their_plies=$("$extract" -s --plycount "$big" 2>/dev/null |
              sed -nE 's/^\[PlyCount "([0-9]+)"\]/\1/p' | paste -sd+ | bc)
their_time=$(best_of 0 "$extract" -r "$big")

printf '%-22s %10s plies %8.3f s %12.0f plies/s\n' "quorvane-pgn check" "$our_plies" "$our_time" \
    "$(echo "$our_plies / $our_time" | bc -l)"
printf '%-22s %10s plies %8.3f s %12.0f plies/s\n' "pgn-extract -r" "$their_plies" "$their_time" \
    "$(echo "$their_plies / $their_time" | bc -l)"
printf 'ratio: %.1f x pgn-extract -r\n' \
    "$(echo "($our_plies / $our_time) / ($their_plies / $their_time)" | bc -l)"

echo "== pgn_load_bench (native)"
native=$("$load" "$big" "$runs")
echo "$native"

windows=$root/build/win64/bench/pgn/pgn_load_bench.exe
if [ "$quick" = 0 ] && [ -x "$windows" ] && command -v wine >/dev/null; then
    echo "== pgn_load_bench.exe under Wine ($windows, as built)"
    wine_out=$("$root/cmake/wine-run.sh" "$windows" "$(winepath -w "$big" 2>/dev/null || echo "$big")" "$runs" | tr -d '\r')
    echo "$wine_out"
    field() { echo "$1" | sed -nE "$2"; }
    n_rate=$(field "$native" 's/.* ([0-9]+) plies\/s.*/\1/p')
    w_rate=$(field "$wine_out" 's/.* ([0-9]+) plies\/s.*/\1/p')
    n_load=$(field "$native" 's/.*bytes: ([0-9.]+) ms.*/\1/p')
    w_load=$(field "$wine_out" 's/.*bytes: ([0-9.]+) ms.*/\1/p')
    printf 'Wine/native: decoding %.2f x the time, LoadCurrentGame %.2f x the time\n' \
        "$(echo "$n_rate / $w_rate" | bc -l)" "$(echo "$w_load / $n_load" | bc -l)"
fi
