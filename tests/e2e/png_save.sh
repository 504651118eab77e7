#!/usr/bin/env bash
# Saves a camera JPEG as PNG through Save As in the real viewer: the PNG save options come up,
# OK writes the file, and the file holds the picture's decoded pixels (as djpeg decodes them).
# Usage: png_save.sh PATH/TO/tolmena PICTURE.jpg
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=png_save
source "$(dirname "$0")/common.sh"
cp "$2" "$work/photo.jpg"

start_xvfb
viewer_environment
"$viewer" "$work/photo.jpg" &
viewer_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1) || fail "the viewer's window did not appear"
shown_named() { xdotool search --all --onlyvisible --pid "$viewer_pid" --name "$1" >/dev/null 2>&1; }

sleep 0.5
shown_named "PNG 保存設定" && fail "a window is taken for the PNG save options before Save As"
xdotool windowfocus --sync "$window" key ctrl+shift+s
# The save dialog starts with the file's own name selected: typing replaces it.
poll 10 eval '[ "$(xdotool getactivewindow 2>/dev/null)" != "$window" ]' ||
    fail "the save dialog did not open"
sleep 0.5
xdotool type --delay 5 "$work/photo.png"
xdotool key Return
poll 10 shown_named "PNG 保存設定" || fail "the PNG save options did not come up"
sleep 0.3
xdotool key Return
poll 10 test -s "$work/photo.png" || fail "no PNG was written"

# Decoded pixels on both sides, as raw RGB.
djpeg -ppm "$work/photo.jpg" | convert ppm:- -depth 8 "rgb:$work/expected.rgb"
convert "$work/photo.png" -depth 8 "rgb:$work/saved.rgb"
cmp -s "$work/expected.rgb" "$work/saved.rgb" || fail "the PNG's pixels differ from the JPEG's"
[ "$(identify -format %m "$work/photo.png")" = PNG ] || fail "the file written is not a PNG"

xdotool windowfocus --sync "$window" key alt+F4
expect_clean_exit
