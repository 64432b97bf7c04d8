#!/usr/bin/env bash
# Times, in processor time and best of several runs, the playable-game list of a 16 MiB file of
# tournament games (16 copies of twic1599_1000k.pgn from the shared PGN folder) with every filter
# on (minimum rating 2700, decisive games only, a player), beside pgn-extract making the same
# selection from a tag criteria file (-t) in the same run, and beside the bare game scan. Both
# selections must count the same games. Prints the figures and the ratio.
# Run by hand: bench/game_list/run.sh [--quick] [SHARED_PGN_FOLDER] [RUNS]
#   --quick: one copy of the file (1 MiB) and one run each; done in seconds.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
copies=16
runs_default=3
if [ "${1:-}" = "--quick" ]; then
    copies=1
    runs_default=1
    shift
fi
shared=${1:-$root/../shared/pgn}
runs=${2:-$runs_default}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-game-list}
extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
source_file=$shared/shakmaty-benches/twic1599_1000k.pgn
minimum=2700
player=Praggnanandhaa  # written as the file writes it: pgn-extract compares with case

[ -f "$source_file" ] || { echo "no $source_file" >&2; exit 2; }
[ -x "$extract" ] || { echo "pgn-extract is not installed (apt-get install pgn-extract)" >&2; exit 2; }

echo "== build (Release) in $work/build"
cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" -j2 --target game_list_bench >/dev/null
bench=$work/build/bench/game_list/game_list_bench

echo "== the file: $copies copies of $(basename "$source_file")"
big=$work/twic1599-x$copies.pgn
for _ in $(seq "$copies"); do cat "$source_file"; echo; done >"$big"
ls -l "$big" | awk '{print $5 " bytes"}'

tags=$work/criteria.txt
selected=$work/selected.pgn
times_file=$(mktemp)
trap 'rm -f "$times_file"' EXIT
printf 'WhiteElo >= "%s"\nBlackElo >= "%s"\nResult "1-0"\nResult "0-1"\nPlayer "%s"\n' \
    "$minimum" "$minimum" "$player" >"$tags"

# Processor time (user + system) of one run of pgn-extract, in seconds: the mean of five runs in
# a row timed together (GNU time counts in hundredths), the best of $runs such means.
extract_seconds() {
    local best=999999 t
    for _ in $(seq "$runs"); do
        /usr/bin/time -o "$times_file" -f '%U %S' sh -c \
            'for _ in 1 2 3 4 5; do "$@" >/dev/null 2>&1; done' sh \
            "$extract" -s -t"$tags" --tagsubstr -o"$selected" "$big"
        t=$(awk '{print ($1 + $2) / 5}' "$times_file")
        best=$(echo "if ($t < $best) $t else $best" | bc -l)
    done
    echo "$best"
}

echo "== the game list in process (best of $runs rounds of ten builds)"
ours=$("$bench" "$big" "$minimum" "$player" "$runs")
echo "$ours"
echo "== pgn-extract -t (minimum $minimum both, 1-0 or 0-1, Player $player), whole process"
their_time=$(extract_seconds)
their_games=$(grep -c '^\[Event ' "$selected" || true)
our_games=$(echo "$ours" | sed -nE 's/.* playable ([0-9]+).*/\1/p')
our_ms=$(echo "$ours" | sed -nE 's/^game list, every filter on: ([0-9.]+) ms/\1/p')
printf '%-28s %6s games selected %10.2f ms\n' "game list (every filter on)" "$our_games" "$our_ms"
printf '%-28s %6s games selected %10.2f ms\n' "pgn-extract -t" "$their_games" \
    "$(echo "$their_time * 1000" | bc -l)"
printf 'ratio: pgn-extract takes %.1f x the processor time of the game list\n' \
    "$(echo "$their_time * 1000 / $our_ms" | bc -l)"

# The shapes that would show a list growing faster than its text: a mass of one-tag games, one
# huge White name searched for a near miss, a tag pair of brackets; each beside the bare scan of
# the same text, and at two sizes, so a doubling should roughly double the time.
echo "== crafted shapes (player \"aaab\"), list and bare scan, at two sizes"
base=$((copies == 1 ? 1 : 8))  # the full run: up to 4 million games, a 4 MB name
for scale in 1 2; do
    size=$((scale * base))
    python3 - "$work" "$size" <<'PY'
import sys
work, size = sys.argv[1], int(sys.argv[2])
open(f"{work}/shape-tiny.pgn", "w").write("[a]1" * (250000 * size))
open(f"{work}/shape-name.pgn", "w").write('[White "' + "a" * (250000 * size) + '"] e4 *\n')
open(f"{work}/shape-brackets.pgn", "w").write("[White " + "[ [" * (90000 * size) + "] e4 *\n")
PY
    for shape in tiny name brackets; do
        printf '%-10s x%-3s %s\n' "$shape" "$size" \
            "$("$bench" "$work/shape-$shape.pgn" 0 aaab "$runs" | tr '\n' ' ')"
    done
done

if [ "$our_games" != "$their_games" ]; then
    echo "the selections differ: $our_games against $their_games games" >&2
    exit 1
fi
