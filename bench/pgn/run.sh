#!/usr/bin/env bash
# Times, in processor time and best of several runs, `quorvane-pgn check` against
# `pgn-extract -r` on a 16 MiB file of tournament games (16 copies of twic1599_1000k.pgn from the
# shared PGN folder), prints plies per second of each and the ratio; then pgn_load_bench: every
# game decoded in process, and LoadCurrentGame for the file's last game. With a Windows build in
# build/win64 (and Wine) the same program runs there too, and the Wine/native ratios follow.
# Run by hand: bench/pgn/run.sh [SHARED_PGN_FOLDER] [RUNS]   (RUNS of five runs each)
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
shared=${1:-$root/../shared/pgn}
runs=${2:-3}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}
extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
source_file=$shared/shakmaty-benches/twic1599_1000k.pgn

[ -f "$source_file" ] || { echo "no $source_file" >&2; exit 2; }
[ -x "$extract" ] || { echo "pgn-extract is not installed (apt-get install pgn-extract)" >&2; exit 2; }

echo "== build (Release) in $work/build"
cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" --target quorvane-pgn pgn_load_bench >/dev/null
tool=$work/build/apps/pgn-tool/quorvane-pgn
load=$work/build/bench/pgn/pgn_load_bench

echo "== the 16 MiB file: 16 copies of $(basename "$source_file")"
big=$work/twic1599-x16.pgn
for _ in $(seq 16); do cat "$source_file"; echo; done >"$big"
ls -l "$big" | awk '{print $5 " bytes"}'

times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
# Processor time (user + system) of one run of the command, in seconds: the mean of five runs in
# a row, timed together, since GNU time counts in hundredths.
cpu_seconds() {
    /usr/bin/time -o "$times_file" -f '%U %S' \
        sh -c 'for _ in 1 2 3 4 5; do "$@" >/dev/null 2>&1 || true; done' sh "$@" || true
    awk '{print ($1 + $2) / 5}' "$times_file"
}
best_of() {
    local best=999999 t
    for _ in $(seq "$runs"); do
        t=$(cpu_seconds "$@")
        best=$(echo "if ($t < $best) $t else $best" | bc -l)
    done
    echo "$best"
}

echo "== quorvane-pgn check, pgn-extract -r: processor time, best of $runs means of five runs"
summary=$("$tool" check "$big" | tail -1 || true)
echo "$summary"
our_plies=$(echo "$summary" | sed -E 's/^[0-9]+ games, ([0-9]+) plies.*/\1/')
our_time=$(best_of "$tool" check "$big")
their_plies=$("$extract" -s --plycount "$big" 2>/dev/null |
              sed -nE 's/^\[PlyCount "([0-9]+)"\]/\1/p' | paste -sd+ | bc)
their_time=$(best_of "$extract" -r "$big")

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
if [ -x "$windows" ] && command -v wine >/dev/null; then
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
