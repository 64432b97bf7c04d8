#!/usr/bin/env bash
# Prints how often each top-level folder includes another ("A -> B  count"), the number of includes
# that reach upward in the layer order, and the folders that include each other. Tests and
# benchmarks are shown apart and not counted.
# Usage: scripts/include-graph.sh [COMMIT]   (default: the work tree)
set -euo pipefail
cd "$(dirname "$0")/.."
# From the bottom; folders joined by a comma are one layer.
order="text chess pgn display win32,x11 apps,resources"
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"/]+/'

git grep -E "$pattern" ${1:+"$1"} -- '*.h' '*.cpp' '*.c' '*.rc' |
    sed -E "s|^${1:+$1:}||; s|^([^/:]+)/[^:]*:[^\"]*\"([^\"/]+)/.*|\1 \2|" |
    awk -v order="$order" '
        BEGIN {
            n = split(order, layers, " ")
            for (i = 1; i <= n; i++) { m = split(layers[i], names, ","); for (j = 1; j <= m; j++) rank[names[j]] = i }
        }
        $1 != $2 { edge = $1 " -> " $2; count[edge]++; from[edge] = $1; to[edge] = $2 }
        END {
            for (edge in count) {
                a = from[edge]; b = to[edge]
                apart = a == "tests" || a == "bench"
                printf "%s 0 %-22s %4d\n", apart ? 2 : 1, edge, count[edge]
                if (apart) continue
                if ((a in rank) && (b in rank) && rank[b] > rank[a]) up += count[edge]
                if (!((a in rank) && (b in rank))) other += count[edge]
                if ((b " -> " a) in count && a < b) both = both " " a "<->" b
            }
            printf "3 1 upward includes (order %s): %d\n", order, up
            printf "3 2 includes from or to folders outside that order: %d\n", other
            printf "3 3 folders that include each other:%s\n", both == "" ? " none" : both
        }' |
    sort -k1,1n -k2,2n -k3,3 |
    awk 'BEGIN { title[1] = "== product code"; title[2] = "== tests and benchmarks (not counted)" }
         $1 != last && ($1 in title) { print title[$1] }
         { last = $1; sub(/^[0-9] [0-9] /, ""); print }'
