# Sourced: starts and stops a private virtual X display (1024 x 768, 24 bits) for Wine.
# StartVirtualDisplay exports DISPLAY; StopVirtualDisplay ends the server and Wine's server.

StartVirtualDisplay() {
    local fdfile
    fdfile=$(mktemp)
    # -displayfd lets the server pick a free display number and tell us which. -noreset: a server
    # that resets when its last client leaves refuses the clients that connect meanwhile.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
    QUORVANE_XVFB_PID=$!
    # Up to a minute: a server started on a busy machine is slow to come.
    for _ in $(seq 1 600); do
        [ -s "$fdfile" ] && break
        sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
        echo "xvfb: the virtual display did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

StopVirtualDisplay() {
    if [ -n "${WINEPREFIX:-${QUORVANE_WINEPREFIX:-}}" ]; then
        WINEPREFIX="${WINEPREFIX:-$QUORVANE_WINEPREFIX}" wineserver -k 2>/dev/null || true
    fi
    if [ -n "${QUORVANE_XVFB_PID:-}" ]; then
        kill "$QUORVANE_XVFB_PID" 2>/dev/null || true
        wait "$QUORVANE_XVFB_PID" 2>/dev/null || true
    fi
}
