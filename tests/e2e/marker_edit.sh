#!/usr/bin/env bash
# Edits a camera JPEG in the real viewer's marker inspector by keys alone: APP1 is deleted, a
# byte is added to the segment selected after it (APP2, the ICC profile) and applied, and the
# result is saved. The file must differ from the original in exactly those two segments. Runs
# without a window manager and then with one.
# Usage: marker_edit.sh PATH/TO/tolmena PICTURE.jpg
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=marker_edit
source "$(dirname "$0")/common.sh"
cp "$2" "$work/original.jpg"

start_xvfb
viewer_environment

# The file as saved: APP1 gone, APP2 one zero byte longer, everything else as it was.
check_segments() {
    python3 - "$work/original.jpg" "$work/photo.jpg" <<'PY'
import struct, sys

def segments(data):  # the marker segments up to SOS, each with its marker and length
    at, found = 2, [data[:2]]
    while data[at + 1] != 0xDA:
        length = struct.unpack(">H", data[at + 2:at + 4])[0]
        found.append(data[at:at + 2 + length])
        at += 2 + length
    return found, data[at:]

(before, scan), (after, saved_scan) = (segments(open(p, "rb").read()) for p in sys.argv[1:3])
app2 = before[3]
grown = app2[:2] + struct.pack(">H", len(app2) - 1) + app2[4:] + b"\0"
expected = before[:2] + [grown] + before[4:]
if after != expected or saved_scan != scan:
    print([s[:2].hex() + ":%d" % len(s) for s in after], file=sys.stderr)
    sys.exit(1)
PY
}

keys() {
    xdotool key --delay 60 "$@"
    sleep 0.3
}

# The main window is found by the dialog's name too.
inspector() {
    xdotool search --onlyvisible --pid "$viewer_pid" --name "JPEG marker view" |
        grep -vx "$window" | head -1
}

edit_in_viewer() {
    cp "$work/original.jpg" "$work/photo.jpg"
    "$viewer" "$work/photo.jpg" &
    viewer_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
        head -1) || fail "the viewer's window did not appear"
    sleep 0.5
    xdotool windowfocus --sync "$window" key alt+m
    poll 10 inspector >/dev/null || fail "the marker inspector did not open ($1)"
    dialog=$(inspector)
    sleep 0.5
    keys Home Down Down # the tree has the focus: SOI, APP0, APP1
    keys Tab Tab Tab space # the hex text, Ins, Del: APP1 goes, APP2 is selected
    keys shift+Tab shift+Tab ctrl+End
    xdotool type --delay 30 " 00"
    keys Tab Tab Tab space # Ins, Del, Ok
    keys Return            # Yes: the length field follows the bytes
    # From the tree, Tab passes the hex text, Ins and Del (Ok and Cancel are disabled again).
    xdotool mousemove --window "$dialog" --sync 60 40 click 1
    keys Tab Tab Tab Tab space # "Save && Reload..."
    keys alt+y
    poll 10 eval '[ -z "$(inspector)" ]' || fail "the inspector did not close after saving ($1)"
    check_segments || fail "the saved segments are wrong ($1)"
    xdotool windowfocus --sync "$window" key alt+F4
    expect_clean_exit
}

edit_in_viewer "no window manager"
start_window_manager
edit_in_viewer "openbox"
