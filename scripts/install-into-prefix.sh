#!/usr/bin/env bash
# Installs the screen saver into a Wine prefix as the installer lays it out on Windows, from the
# install tree that `cmake --install` stages (cmake/install_layout.cmake; the build stages it in
# build/win64/stage):
#   system/*   -> C:\windows\system32                  (where the desktop settings look)
#   program/*  -> C:\Program Files\Brenholt\Quorvane   (the program folder: Skin\, its larger
#                                                    drawings in Skin\x2 and x4, varnoth.pgn)
#   HKLM\Software\Brenholt\Quorvane "Install path" (REG_SZ, 64-bit view) = the program folder
# Creates the prefix first when it does not exist. Used by the end-to-end and dialog tests, the
# run command and the benchmark.
set -euo pipefail

usage() {
    cat <<'USAGE'
Usage: install-into-prefix.sh --prefix DIR --stage DIR [--pgn FILE]
  --prefix DIR  the Wine prefix (created with wineboot when missing)
  --stage DIR   the staged install tree (cmake --install build/win64 --prefix DIR)
  --pgn FILE    install FILE as the default game file, varnoth.pgn, instead of the staged one
USAGE
}

prefix="" stage="" pgn=""
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix) prefix="$2"; shift 2 ;;
        --stage) stage="$2"; shift 2 ;;
        --pgn) pgn="$2"; shift 2 ;;
        -h|--help) usage; exit 0 ;;
        *) echo "install: unknown argument $1" >&2; usage >&2; exit 2 ;;
    esac
done
if [ -z "$prefix" ] || [ -z "$stage" ]; then
    usage >&2
    exit 2
fi
for folder in "$stage/system" "$stage/program"; do
    [ -n "$(find "$folder" -type f -print -quit 2>/dev/null)" ] ||
        { echo "install: no files in $folder" >&2; exit 1; }
done
if [ -n "$pgn" ] && [ ! -f "$pgn" ]; then
    echo "install: $pgn is missing" >&2
    exit 1
fi

export WINEPREFIX
WINEPREFIX=$(realpath -m "$prefix")
export WINEDEBUG=-all
# No Mono or Gecko installer prompts: nothing here needs them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # Asked twice: on a fresh machine two first Wine starts at once can race over Wine's own
    # server folder, and the loser fails at once without a word.
    boot_log="$WINEPREFIX.wineboot.log"
    if ! wineboot -i >"$boot_log" 2>&1 && ! wineboot -i >"$boot_log" 2>&1; then
        echo "install: wineboot failed:" >&2
        cat "$boot_log" >&2
        exit 1
    fi
    rm -f "$boot_log"
fi

# A fresh file rather than an overwrite: a prefix may share its files with copies made from it.
put() { rm -f "$2"; cp "$1" "$2"; }

program="$WINEPREFIX/drive_c/Program Files/Brenholt/Quorvane"
system32="$WINEPREFIX/drive_c/windows/system32"
# Every staged file of FROM into the same place below TO.
put_tree() {
    local from="$1" to="$2" file
    while IFS= read -r -d '' file; do
        mkdir -p "$(dirname "$to/$file")"
        put "$from/$file" "$to/$file"
    done < <(cd "$from" && find . -type f -print0)
}
put_tree "$stage/system" "$system32"
put_tree "$stage/program" "$program"
if [ -n "$pgn" ]; then put "$pgn" "$program/varnoth.pgn"; fi

wine reg add 'HKLM\Software\Brenholt\Quorvane' /v 'Install path' /t REG_SZ \
    /d 'C:\Program Files\Brenholt\Quorvane' /f /reg:64 >/dev/null
# The registry reaches the disk when the prefix's server stops.
wineserver -w
