#!/usr/bin/env bash
# Drives the real viewer on its own X server as a user would: opens a picture named on the
# command line, checks its pixels on screen at 100 % and after zooming in at 200 %, copies it to
# the clipboard, and quits through the menu, which writes the profile.
# Usage: viewer.sh PATH/TO/tolmena
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=viewer
source "$(dirname "$0")/common.sh"

pixels() { python3 "$(dirname "$0")/pixels.py" "$@"; }

screenshot() { import -window root "$work/screen.png"; }
shown() { screenshot && pixels find "$work/screen.png" "$1" >"$work/found"; }
click() { xdotool mousemove --sync "$1" "$2" click 1; }

start_xvfb
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
pixels bmp "$work/picture.bmp"

# Leak checking stays on for the viewer's own code; libdbus, which Qt's platform theme loads,
# leaves a buffer behind at exit that is not ours to free.
echo "leak:libdbus-1.so" >"$work/lsan.supp"
LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0" "$viewer" "$work/picture.bmp" &
viewer_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1) || fail "the viewer's window did not appear"

poll 20 shown 1 || fail "the picture is not on screen at 100 %"
read -r left top <"$work/found"

xdotool windowfocus --sync "$window"
xdotool key plus ctrl+f # a new window is the picture's size: fitted again to show it whole
poll 10 shown 2 || fail "the picture is not on screen at 200 % after zooming in"
read -r zoomed_left zoomed_top <"$work/found"
[ "$zoomed_left $zoomed_top" = "$left $top" ] || fail "the zoomed picture moved"

xdotool key ctrl+c
clipboard_png() { xclip -selection clipboard -t image/png -o >"$work/clip.png" 2>/dev/null; }
poll 10 clipboard_png || fail "the clipboard holds no PNG picture"
pixels same "$work/clip.png" || fail "the clipboard picture differs from the file"

# ファイル is the first menu of the menu bar; 終了 the last item of the menu that drops down.
eval "$(xdotool getwindowgeometry --shell "$window")"
popups_before=$(xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | sort)
click $((X + 20)) $((Y + 10))
menu_popup() {
    popup=$(comm -13 <(echo "$popups_before") \
        <(xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | sort) | head -1)
    [ -n "$popup" ]
}
poll 10 menu_popup || fail "the ファイル menu did not open"
eval "$(xdotool getwindowgeometry --shell "$popup")"
click $((X + WIDTH / 2)) $((Y + HEIGHT - 12))

expect_clean_exit
[ -s "$XDG_CONFIG_HOME/tolmena/tolmena.ini" ] || fail "the profile was not written"
echo "e2e.viewer: passed"
