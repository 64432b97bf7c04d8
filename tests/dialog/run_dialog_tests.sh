#!/usr/bin/env bash
# Runs the dialog tests under Wine: a fresh prefix of their own with the saver installed as the
# installer installs it, a private virtual display, then the test program; afterwards it poses the
# settings dialog, the About box and "More settings" for screenshots (work/screenshots/dialog.png,
# about.png and more-settings.png).
# QUORVANE_UPDATE_DOCS=1 also copies the screenshots to docs/.
set -euo pipefail

driver="" stage="" source="" work=""
while [ $# -gt 0 ]; do
    case "$1" in
        --driver) driver="$2"; shift 2 ;;
        --stage) stage="$2"; shift 2 ;;
        --source) source="$2"; shift 2 ;;
        --work) work="$2"; shift 2 ;;
        --) shift; break ;;
        *) echo "dialog tests: unknown argument $1" >&2; exit 2 ;;
    esac
done
gtest_args=("$@")

export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
rm -rf "$work"
mkdir -p "$work/screenshots"

# shellcheck source=/dev/null
source "$source/scripts/xvfb.sh"
StartVirtualDisplay
trap StopVirtualDisplay EXIT

"$source/scripts/install-into-prefix.sh" --prefix "$WINEPREFIX" --stage "$stage"
# Wine draws the frame and caption itself, as there is no window manager to do it.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null

status=0
wine "$driver" "${gtest_args[@]}" || status=$?

# Z: is the prefix's view of the Linux root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

shoot() {
    local what="$1" rect="$work/$1.rect" shot="$work/screenshots/$1.png"
    wine "$driver" --pose "$what" "$(windows_path "$rect")" &
    local pose=$!
    for _ in $(seq 1 300); do
        [ -s "$rect" ] && break
        sleep 0.1
    done
    if [ ! -s "$rect" ]; then
        echo "dialog tests: the $what dialog did not pose for its screenshot" >&2
        wait "$pose" || true
        return 1
    fi
    read -r left top width height <"$rect"
    import -window root -crop "${width}x${height}+${left}+${top}" +repage -strip "$shot"
    rm -f "$rect"
    wait "$pose"
    echo "dialog tests: screenshot $shot (${width}x${height})"
    if [ "${QUORVANE_UPDATE_DOCS:-0}" = 1 ]; then cp "$shot" "$source/docs/$what.png"; fi
}

if [ ${#gtest_args[@]} -eq 0 ]; then
    shoot dialog || status=1
    shoot about || status=1
    shoot more-settings || status=1
fi
exit "$status"
