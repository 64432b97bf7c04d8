#!/usr/bin/env bash
# Builds a 16 MiB file of real games from the shared PGN folder, then times in one run
# `quorvane-pgn check` against `pgn-extract -r` (plies per second of each, and the ratio) and
# LoadCurrentGame for the file's last game. Run by hand: bench/pgn/run.sh [SHARED_PGN_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
shared=${1:-$root/../shared/pgn}
work=${QUORVANE_BENCH_DIR:-$root/build/bench-pgn}
extract=$(command -v pgn-extract || echo /usr/games/pgn-extract)
limit=16777216

[ -d "$shared" ] || { echo "no shared PGN folder at $shared" >&2; exit 2; }
[ -x "$extract" ] || { echo "pgn-extract is not installed (apt-get install pgn-extract)" >&2; exit 2; }

echo "== build (Release) in $work/build"
cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/build" --target quorvane-pgn pgn_load_bench >/dev/null
tool=$work/build/apps/pgn-tool/quorvane-pgn
load=$work/build/bench/pgn/pgn_load_bench

echo "== the 16 MiB file"
big=$work/games-16mib.pgn
sources=("$shared"/shakmaty-benches/*_1000k.pgn "$shared"/pgn2tex/*.pgn
         "$shared"/chess.js/benchmarks_benchmark.pgn)
# Concatenate the files (each ending in a blank line) until past the limit, then cut before the
# last [Event that starts a line at or below it: the file's end is a game boundary.
python3 - "$big" "$limit" "${sources[@]}" <<'PY'
import sys
out, limit, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
parts = [open(f, 'rb').read() + b'\n\n' for f in files]
text = b''
while len(text) <= limit:
    for part in parts:
        text += part
cut = text.rfind(b'\n[Event ', 0, limit)
open(out, 'wb').write(text[:cut + 1])
PY
ls -l "$big" | awk '{print $5 " bytes"}'

seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null 2>&1 || true; e=$(date +%s.%N); echo "$e - $s" | bc -l; }
best_of() { local best=999999 t; for _ in 1 2 3; do t=$(seconds "$@"); best=$(echo "if ($t < $best) $t else $best" | bc -l); done; echo "$best"; }

echo "== quorvane-pgn check"
summary=$("$tool" check "$big" | tail -1 || true)
echo "$summary"
our_plies=$(echo "$summary" | sed -E 's/^[0-9]+ games, ([0-9]+) plies.*/\1/')
our_time=$(best_of "$tool" check "$big")

echo "== pgn-extract -r"
their_plies=$("$extract" -s --plycount "$big" 2>/dev/null |
              sed -nE 's/^\[PlyCount "([0-9]+)"\]/\1/p' | paste -sd+ | bc)
their_time=$(best_of "$extract" -r "$big")

printf '%-22s %10s plies %8.3f s %12.0f plies/s\n' "quorvane-pgn check" "$our_plies" "$our_time" \
    "$(echo "$our_plies / $our_time" | bc -l)"
printf '%-22s %10s plies %8.3f s %12.0f plies/s\n' "pgn-extract -r" "$their_plies" "$their_time" \
    "$(echo "$their_plies / $their_time" | bc -l)"
printf 'ratio: %.1f x\n' "$(echo "($our_plies / $our_time) / ($their_plies / $their_time)" | bc -l)"

echo "== LoadCurrentGame"
"$load" "$big" 20
