#!/usr/bin/env bash
# Times the reader on crafted files made at run time, whose shapes once cost time growing with the
# square of their size: a 1 MB FEN tag, a 4 MB tag pair of repeated "a b[", a 10 MB move token, one
# game filling 16 MiB and a million tiny games. For each: LoadCurrentGame of the last game (target
# under 100 ms) and `quorvane-pgn check` in seconds per MB (less the start-up of a run on an empty
# file), beside check and pgn-extract on real tournament games; processor time (user + system),
# best of three runs.
# Run by hand: bench/pgn_shapes/run.sh [--quick] [--build DIR] [SHARED_PGN_FOLDER]
#   --quick: files a sixteenth of the size and one run of each, in seconds, for the test command;
#   --build DIR: the programs of that build tree, already built (default: a Release tree built in
#   build/bench-pgn). Exits 77 when the shared folder is absent.
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
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}
extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
runs=3 scale=1
if [ "$quick" = 1 ]; then runs=1 scale=16; fi
compgen -G "$shared/shakmaty-benches/*_1000k.pgn" >/dev/null ||
    { echo "bench/pgn_shapes: skipped, no $shared/shakmaty-benches/*_1000k.pgn"; exit 77; }

if [ -z "$build" ]; then
    echo "== build (Release) in $work/build"
    cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$work/build" --target quorvane-pgn pgn_load_bench >/dev/null
    build=$work/build
fi
tool=$build/apps/pgn-tool/quorvane-pgn
load=$build/bench/pgn/pgn_load_bench

echo "== the crafted files"
shapes=$work/shapes
mkdir -p "$shapes"
rm -f "$shapes"/*.pgn
python3 - "$shapes" "$scale" <<'PY'
import sys
out = sys.argv[1]
scale = int(sys.argv[2])
MiB = (1 << 20) // scale
def write(name, data):
    open(f"{out}/{name}.pgn", "wb").write(data)
write("fen-tag-1mb", b'[White "w"]\n[FEN "4k3/8/8/8/8/8/4P3/4K3 w - - 0 1' + b" x" * (MiB // 2)
      + b'"]\n\n1. e4 Kd7 *\n')
write("tag-runs-4mb", b"[" + b"a b[" * MiB + b']\n\n1. e4 e5 *\n')
write("move-token-10mb", b'[White "w"]\n\n1. e4 e5 2. Nf3' + b"=" * (5 * MiB) + b"a" * (5 * MiB)
      + b" Nc6 *\n")
write("equals-run-2mb", b'[White "w"]\n\n1. a' + b"=" * (2 * MiB) + b" *\n")
dance = b"{out and back} Nf3 Nf6 (Nc3 Nc6) Ng1 Ng8 "
body = dance * ((16 * MiB - 64) // len(dance))
write("one-game-16mib", b'[White "w"]\n\n' + body + b"*\n")
write("million-tiny-games", b'[E "x"]\ne4\n' * (1000000 // scale))
PY
ls -l "$shapes"/*.pgn | awk '{printf "%12d  %s\n", $5, $9}'

# check exits 1 when some game stops early (the crafted files are made to): expected, not a
# failure; any other status fails the benchmark.
best_of() { python3 bench/cpu_time.py --runs "$runs" --ok "$1" --timeout 120 -- "${@:2}"; }
mb() { echo "$(stat -c %s "$1") / 1000000" | bc -l; }

# Seconds per MB leave out the time a run takes on an empty file (start-up, exit).
empty=$work/empty.pgn
: > "$empty"
start_up=$(best_of 0 "$tool" check "$empty")
echo "== real tournament games: seconds per MB (less $start_up s of start-up per run)"
real=$work/real-games.pgn
cat "$shared"/shakmaty-benches/*_1000k.pgn > "$real"
real_check=$(echo "($(best_of 0,1 "$tool" check "$real") - $start_up) / $(mb "$real")" | bc -l)
printf '%-22s check %8.4f s/MB' "real games" "$real_check"
if [ -x "$extract" ]; then
    real_extract=$(echo "($(best_of 0 "$extract" -r "$real") - $start_up) / $(mb "$real")" | bc -l)
    printf '   pgn-extract -r %8.4f s/MB   ratio %.2f' "$real_extract" \
        "$(echo "$real_check / $real_extract" | bc -l)"
fi
echo

echo "== crafted files"
for file in "$shapes"/*.pgn; do
    name=$(basename "$file" .pgn)
    per_mb=$(echo "($(best_of 0,1 "$tool" check "$file") - $start_up) / $(mb "$file")" | bc -l)
    printf '%-22s check %8.4f s/MB (%.2f x real games)' "$name" "$per_mb" \
        "$(echo "$per_mb / $real_check" | bc -l)"
    if [ -x "$extract" ]; then
        printf '   pgn-extract -r %8.4f s/MB' \
            "$(echo "($(best_of 0,1 "$extract" -r "$file") - $start_up) / $(mb "$file")" | bc -l)"
    fi
    printf '   '
    loaded=$("$load" "$file" "$runs" | sed -nE 's/^LoadCurrentGame, .*: ([0-9.]+ ms);.*/\1/p')
    [ -n "$loaded" ] || { echo "pgn_load_bench printed no LoadCurrentGame time" >&2; exit 1; }
    echo "LoadCurrentGame $loaded"
done
