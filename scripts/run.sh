#!/usr/bin/env bash
# Runs the screen saver under Wine: builds it, installs it into a private Wine prefix the way the
# installer lays it out, and starts the full-screen saver (/s) as Windows does. With --native, runs
# the native Linux program instead.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

usage() {
    cat <<'USAGE'
Usage: ./scripts/run.sh [options]

Builds Quorvane.scr (build/win64), installs it into the Wine prefix build/run-prefix and starts
the full-screen saver. With a display ($DISPLAY), the saver runs there until a key, a mouse button
or a mouse jump ends it. Without one, it runs on a virtual 1024 x 768 display, saves a screenshot
every few seconds and stops by itself.

With --native, builds the native program quorvane (build/native) and runs it with the build's
skins and games: in a window of its own on $DISPLAY (Esc or q ends it), or, on a virtual display,
with -root and a private settings file, taking screenshots the same way.

Options:
  --native       the native Linux program instead of the Windows saver under Wine
  --duration S   virtual display: stop after S seconds (default 60)
  --interval S   virtual display: one screenshot every S seconds (default 5)
  --shots DIR    virtual display: folder for the screenshots (default build/run-shots/<time>)
  --virtual      use a virtual display even when $DISPLAY is set
  -h, --help     this text
USAGE
}

duration=60 interval=5 shots="" virtual=0 native=0
while [ $# -gt 0 ]; do
    case "$1" in
        --duration) duration="$2"; shift 2 ;;
        --interval) interval="$2"; shift 2 ;;
        --shots) shots="$2"; shift 2 ;;
        --virtual) virtual=1; shift ;;
        --native) native=1; shift ;;
        -h|--help) usage; exit 0 ;;
        *) echo "run: unknown option $1" >&2; usage >&2; exit 2 ;;
    esac
done
for n in "$duration" "$interval"; do
    [[ "$n" =~ ^[0-9]+$ ]] && [ "$n" -gt 0 ] || { echo "run: $n is not a whole number of seconds" >&2; exit 2; }
done

./scripts/setup.sh

# Screenshots of the root window every interval while pid runs, for duration seconds; prints how
# many were taken.
take_screenshots() {
    local pid=$1 start=$SECONDS n=0
    while [ $((SECONDS - start)) -lt "$duration" ] && kill -0 "$pid" 2>/dev/null; do
        sleep "$interval"
        n=$((n + 1))
        import -window root "$shots/$(printf '%03d' "$n")-$((SECONDS - start))s.png" 2>/dev/null || true
    done
    echo "$n"
}

if [ "$native" -eq 1 ]; then
    echo "run: building quorvane (build/native)"
    cmake -S . -B build/native -G Ninja >/dev/null
    cmake --build build/native --target quorvane quorvane_skins -j "$(nproc)"
    skins=$(sed -n 's/^QUORVANE_SKIN_DIR:INTERNAL=//p' build/native/CMakeCache.txt)
    run_dir="$root/build/run-native"
    rm -rf "$run_dir/data"
    mkdir -p "$run_dir/data/Skin"
    cp "$skins"/*.bmp "$run_dir/data/Skin/"
    cp games/varnoth.pgn "$run_dir/data/"
    export QUORVANE_DATA_DIR="$run_dir/data"
    if [ -n "${DISPLAY:-}" ] && [ "$virtual" -eq 0 ]; then
        echo "run: quorvane in a window on $DISPLAY; Esc, q or closing the window ends it"
        code=0
        build/native/quorvane -window || code=$?
        echo "run: quorvane ended with exit code $code"
        exit "$code"
    fi
    source ./scripts/xvfb.sh
    StartVirtualDisplay
    trap StopVirtualDisplay EXIT
    shots=${shots:-build/run-shots/native-$(date +%Y%m%d-%H%M%S)}
    mkdir -p "$shots"
    shots=$(realpath "$shots")
    echo "run: quorvane -root on the virtual display $DISPLAY for $duration s; screenshots every" \
        "$interval s into $shots"
    build/native/quorvane -root --config "$run_dir/quorvane.conf" >"$shots/quorvane.log" 2>&1 &
    saver_pid=$!
    n=$(take_screenshots "$saver_pid")
    kill -TERM "$saver_pid" 2>/dev/null || true
    code=0
    wait "$saver_pid" || code=$?
    echo "run: quorvane ended with exit code $code; $n screenshots in $shots"
    exit "$code"
fi

echo "run: building the saver (build/win64)"
cmake -S . -B build/win64 -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.toolchain.cmake" >/dev/null
# Builds the saver and the skins and stages what the install rules install in build/win64/stage.
cmake --build build/win64 --target quorvane_stage -j "$(nproc)"

export WINEPREFIX="$root/build/run-prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "run: installing into $WINEPREFIX"
./scripts/install-into-prefix.sh --prefix "$WINEPREFIX" --stage build/win64/stage

saver='C:\windows\system32\Quorvane.scr'

if [ -n "${DISPLAY:-}" ] && [ "$virtual" -eq 0 ]; then
    echo "run: Quorvane.scr /s on $DISPLAY; a key, a mouse button or moving the mouse ends it"
    code=0
    wine "$saver" /s || code=$?
    echo "run: the saver ended with exit code $code"
    exit "$code"
fi

source ./scripts/xvfb.sh
StartVirtualDisplay
trap StopVirtualDisplay EXIT
shots=${shots:-build/run-shots/$(date +%Y%m%d-%H%M%S)}
mkdir -p "$shots"
shots=$(realpath "$shots")
echo "run: Quorvane.scr /s on the virtual display $DISPLAY for $duration s; screenshots every" \
    "$interval s into $shots"
# Wine puts the cursor at the screen's centre until the first pointer event: agree with it.
xdotool mousemove 512 384
wine "$saver" /s >"$shots/wine.log" 2>&1 &
saver_pid=$!

start=$SECONDS
n=$(take_screenshots "$saver_pid")

code=0
if kill -0 "$saver_pid" 2>/dev/null; then
    # End it as a user would: a key press.
    xdotool key space
    for _ in $(seq 1 100); do
        kill -0 "$saver_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$saver_pid" 2>/dev/null || true
fi
wait "$saver_pid" || code=$?
echo "run: the saver ended with exit code $code after $((SECONDS - start)) s"
echo "run: $n screenshots in $shots"
