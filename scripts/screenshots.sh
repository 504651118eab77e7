#!/usr/bin/env bash
# Takes the viewer's screenshots on its own X server: a camera JPEG at 100 % and at 25 %, an
# open menu, the Exif window, and the JPEG conversion tiled beside its source after a sync.
# Usage: scripts/screenshots.sh PATH/TO/tolmena PICTURE.jpg OUTPUT_DIR [SCALE]
# SCALE sets QT_SCALE_FACTOR (e.g. 1.5). Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
viewer=$(realpath "$1")
picture=$(realpath "$2")
out=$(mkdir -p "$3" && realpath "$3")
scale=${4:-1}
work=$(mktemp -d)
xvfb_pid="" viewer_pid=""
cleanup() {
    set +e
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number <"$work/display"
mkdir -m 700 "$work/runtime"
export DISPLAY=":$number" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" ASAN_OPTIONS=detect_leaks=0

"$viewer" "$picture" &
viewer_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1)
xdotool windowmove --sync "$window" 0 0 windowsize --sync "$window" 1270 1000
shot() { sleep "${2:-1.5}" && import -window root "$out/$1.png"; }
key() { xdotool windowfocus --sync "$window" key "$@"; }

shot viewer-100 3
key alt+2
key ctrl+f
shot viewer-25
key alt+f
shot menu-file
key Escape
key alt+x
shot exif-window
key alt+x
key ctrl+j
sleep 3
key alt+w v
sleep 1
key ctrl+y
shot synced-tiled
kill "$viewer_pid"
viewer_pid=""
