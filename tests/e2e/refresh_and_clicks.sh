#!/usr/bin/env bash
# The viewer under a window manager as a user drives it: plain clicks after a dialog and a menu
# took the modifiers' releases still drag, Alt+click zooms out and leaves the keyboard with the
# picture; a reload of a file changed on disk and Save As show the new state in the status bar,
# the title and the Exif window at once.
# Usage: refresh_and_clicks.sh PATH/TO/tolmena FIRST.jpg SECOND.jpg (two camera JPEGs)
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=refresh_and_clicks
source "$(dirname "$0")/common.sh"
pixels() { python3 "$(dirname "$0")/pixels.py" "$@"; }
cp "$2" "$work/photo.jpg"

screenshot() { import -window root "$work/screen.png"; }
shown() { screenshot && pixels find "$work/screen.png" "$1" >"$work/found"; }
at_100_where_it_was() { shown 1 && [ "$(cat "$work/found")" = "$left $top" ]; }
zoomed() { ! shown 1; }
click() { xdotool mousemove --sync "$1" "$2" click 1; }
click_picture() { click $((left + 20)) $((top + 15)); }
windows() { xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | sort; }
# Waits for a window of the viewer that was not there before; $opened is its id.
new_window() {
    opened=$(comm -13 <(echo "$1") <(windows) | head -1)
    [ -n "$opened" ]
}
no_new_window() { [ -z "$(comm -13 <(echo "$1") <(windows))" ]; }
wait_gone() { poll 10 no_new_window "$1"; }
# The bottom rows of the main window: its status bar.
status_bar() { import -window "$window" -gravity South -crop 100%x18+0+0 "rgb:$work/$1"; }
# A dialog opened by keys, named by typing a path into its file name field.
type_into_file_dialog() {
    local before
    before=$(windows)
    xdotool key "$1"
    poll 10 new_window "$before" || fail "$1 opened no dialog"
    sleep 0.5
    xdotool type --delay 5 "$2"
    xdotool key Return
    wait_gone "$before" || fail "the dialog of $1 did not close"
}

start_xvfb
start_window_manager
viewer_environment
pixels bmp "$work/picture.bmp"
"$viewer" "$work/picture.bmp" &
viewer_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1) || fail "the viewer's window did not appear"
xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
poll 20 shown 1 || fail "the picture is not on screen at 100 %"
read -r left top <"$work/found"

# Ctrl+O Esc, then Alt+F Esc Esc: neither Ctrl nor Alt may outlive the focus they left with.
click_picture
before=$(windows)
xdotool key ctrl+o
poll 10 new_window "$before" || fail "Ctrl+O opened no dialog"
xdotool key Escape
wait_gone "$before" || fail "the open dialog did not close"
xdotool key alt+f
poll 10 new_window "$before" || fail "Alt+F opened no menu"
xdotool key Escape Escape
click_picture
sleep 0.5
at_100_where_it_was || fail "a plain click after Ctrl+O and Alt+F zoomed or moved the picture"

xdotool key plus
poll 10 zoomed || fail "the picture did not zoom in"
xdotool keydown alt
click_picture
xdotool keyup alt
poll 10 at_100_where_it_was || fail "Alt+click did not zoom out"
xdotool key plus # the keyboard is still the picture's, not the menu bar's
poll 10 zoomed || fail "after Alt+click the keys no longer reach the picture"

# A file that changed on disk, reloaded: the new description, camera and title at once.
type_into_file_dialog ctrl+o "$work/photo.jpg"
poll 10 eval '[ "$(xdotool getwindowname "$window")" = "photo.jpg - Tolmena" ]' ||
    fail "photo.jpg did not open"
exif_named() { exif=$(xdotool search --onlyvisible --pid "$viewer_pid" --name "^$1\$" | head -1); }
xdotool key alt+x
poll 10 exif_named 'photo\.jpg' || fail "the Exif window did not open on photo.jpg"
sleep 0.5
status_bar status-old.rgb
import -window "$exif" "rgb:$work/exif-old.rgb"
cp "$3" "$work/photo.jpg"
xdotool key ctrl+r
# Both change together; polled, as a loaded machine may take a while to reload and repaint.
status_and_exif_changed() {
    status_bar status-new.rgb
    import -window "$exif" "rgb:$work/exif-new.rgb"
    ! cmp -s "$work/status-old.rgb" "$work/status-new.rgb" &&
        ! cmp -s "$work/exif-old.rgb" "$work/exif-new.rgb"
}
poll 10 status_and_exif_changed || {
    cmp -s "$work/status-old.rgb" "$work/status-new.rgb" &&
        fail "the status bar kept the old description after Reload"
    fail "the Exif window kept the old camera after Reload"
}

type_into_file_dialog ctrl+shift+s "$work/copy.bmp"
poll 10 test -s "$work/copy.bmp" || fail "Save As wrote nothing"
[ "$(xdotool getwindowname "$window")" = "copy.bmp - Tolmena" ] ||
    fail "the title is '$(xdotool getwindowname "$window")' after Save As"
exif_named 'copy\.bmp' || fail "the Exif window kept the old name after Save As"
status_bar status-saved.rgb
cmp -s "$work/status-new.rgb" "$work/status-saved.rgb" &&
    fail "the status bar kept the JPEG's description after Save As"

xdotool key alt+F4
expect_clean_exit
echo "e2e.$e2e_name: passed"
