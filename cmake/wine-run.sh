#!/bin/sh
# Runs one Windows program under Wine, in the prefix of this test run, creating the prefix once.
# QUORVANE_WINEPREFIX chooses the prefix; by default it lives beside the build trees.
set -eu
prefix="${QUORVANE_WINEPREFIX:-${WINEPREFIX:-/tmp/quorvane-wine-$(id -u)}}"
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$prefix"
if [ ! -f "$prefix/.quorvane-ready" ]; then
    # Two tests may start at once; only one of them initialises the prefix.
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.quorvane-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        wineserver -w || true
        touch "$prefix/.quorvane-ready"
    fi
    flock -u 9
fi
exec wine "$@"
