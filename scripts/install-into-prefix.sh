#!/usr/bin/env bash
# Installs the screen saver into a Wine prefix as the installer lays it out on Windows:
#   C:\Program Files\Brenholt\Quorvane\Skin\*.bmp and varnoth.pgn   (the program folder)
#   C:\Program Files\Brenholt\Quorvane\Skin\x2\*.bmp, x4\*.bmp     (larger drawings, when present)
#   C:\windows\system32\Quorvane.scr                               (where the desktop settings look)
#   HKLM\Software\Brenholt\Quorvane "Install path" (REG_SZ, 64-bit view) = the program folder
# Creates the prefix first when it does not exist. Used by the end-to-end tests, the run command and
# the benchmark.
set -euo pipefail

usage() {
    cat <<'USAGE'
Usage: install-into-prefix.sh --prefix DIR --scr FILE --skins DIR --pgn FILE
  --prefix DIR  the Wine prefix (created with wineboot when missing)
  --scr FILE    the built Quorvane.scr
  --skins DIR   folder of the skin bitmaps (*.bmp)
  --pgn FILE    the default game file, installed as varnoth.pgn
USAGE
}

prefix="" scr="" skins="" pgn=""
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix) prefix="$2"; shift 2 ;;
        --scr) scr="$2"; shift 2 ;;
        --skins) skins="$2"; shift 2 ;;
        --pgn) pgn="$2"; shift 2 ;;
        -h|--help) usage; exit 0 ;;
        *) echo "install: unknown argument $1" >&2; usage >&2; exit 2 ;;
    esac
done
if [ -z "$prefix" ] || [ -z "$scr" ] || [ -z "$skins" ] || [ -z "$pgn" ]; then
    usage >&2
    exit 2
fi
for f in "$scr" "$pgn"; do
    [ -f "$f" ] || { echo "install: $f is missing" >&2; exit 1; }
done
shopt -s nullglob
bitmaps=("$skins"/*.bmp)
[ ${#bitmaps[@]} -gt 0 ] || { echo "install: no *.bmp in $skins" >&2; exit 1; }

export WINEPREFIX
WINEPREFIX=$(realpath -m "$prefix")
export WINEDEBUG=-all
# No Mono or Gecko installer prompts: nothing here needs them.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1
fi

# A fresh file rather than an overwrite: a prefix may share its files with copies made from it.
put() { rm -f "$2"; cp "$1" "$2"; }

program="$WINEPREFIX/drive_c/Program Files/Brenholt/Quorvane"
system32="$WINEPREFIX/drive_c/windows/system32"
mkdir -p "$program/Skin"
for bitmap in "${bitmaps[@]}"; do put "$bitmap" "$program/Skin/$(basename "$bitmap")"; done
# The larger drawings of the skins, one folder per scale (x2, x4), as the installer lays them out.
for folder in "$skins"/x*/; do
    scale=$(basename "$folder")
    mkdir -p "$program/Skin/$scale"
    for bitmap in "$folder"*.bmp; do put "$bitmap" "$program/Skin/$scale/$(basename "$bitmap")"; done
done
put "$pgn" "$program/varnoth.pgn"
put "$scr" "$system32/Quorvane.scr"

wine reg add 'HKLM\Software\Brenholt\Quorvane' /v 'Install path' /t REG_SZ \
    /d 'C:\Program Files\Brenholt\Quorvane' /f /reg:64 >/dev/null
# The registry reaches the disk when the prefix's server stops.
wineserver -w
