#!/usr/bin/env bash
# Hands the viewer what a file manager or a shell may give it: a FIFO and a folder named like
# pictures, an empty file, a file of an unknown type, pictures whose names are not UTF-8 or say
# no type. The viewer never blocks, tries every file, names each one that fails in a message,
# keeps its window with what opened, and ends with status 0. A FIFO chosen in the open dialog
# is refused the same way.
# Usage: opening.sh PATH/TO/tolmena
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=opening
source "$(dirname "$0")/common.sh"

start_xvfb
viewer_environment

# Three copies of a small BMP under names that are not UTF-8 or have no extension, and a GIF.
python3 - "$work" <<'EOF'
import struct, sys
folder = sys.argv[1].encode()
pixels = bytes([10, 200, 30] * 4) * 2  # 4 x 2, rows of 12 bytes
header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, 4, 2, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
for name in (b"\x8e\xca\x90\x5e.jpg", b"bad\xff\xfe.jpg", b"picture"):
    open(folder + b"/" + name, "wb").write(header + info + pixels)
open(folder + b"/anim.gif", "wb").write(b"GIF89a\x01\x00\x01\x00\x00\x00\x00;")
EOF
mkfifo "$work/pipe.jpg"
mkdir "$work/folder.jpg"
: >"$work/zero.jpg"
sjis=$(printf '%s/\x8e\xca\x90\x5e.jpg' "$work") bad=$(printf '%s/bad\xff\xfe.jpg' "$work")

# The title a name gets on screen: its bytes decoded as UTF-8, bad bytes replaced.
shown_title() { python3 -c 'import sys; print(sys.argv[1].encode("utf-8", "surrogateescape").decode("utf-8", "replace") + " - Tolmena")' "$1"; }

start_viewer() {
    messages_seen=0 main_window=""
    "$viewer" "$@" 2>"$work/stderr" &
    viewer_pid=$!
}

# Waits for the next message box (titled "Tolmena" alone), checks its text as the viewer also
# logs it on stderr (its lines joined by a space), and closes it.
messages_seen=0
nth_message() { grep '^tolmena: ' "$work/stderr" | sed -n "$1p"; }
expect_message() {
    local box
    message_box() {
        box=$(xdotool search --onlyvisible --pid "$viewer_pid" --name '^Tolmena$' 2>/dev/null |
            grep -vx "${main_window:-none}" | head -1)
        [ -n "$box" ]
    }
    poll 20 message_box || fail "no message box came up for: $1"
    messages_seen=$((messages_seen + 1))
    poll 5 eval '[ -n "$(nth_message $messages_seen)" ]' || fail "no message logged for: $1"
    [ "$(nth_message $messages_seen)" = "tolmena: $1" ] ||
        fail "the message was $(nth_message $messages_seen), not: $1"
    xdotool windowfocus --sync "$box" key Return
    poll 10 eval '! xdotool search --onlyvisible --pid "$viewer_pid" --name "^Tolmena\$" |
        grep -qx "$box"' || fail "the message box did not close"
}

main_window_titled() {
    xdotool search --onlyvisible --pid "$viewer_pid" --name . 2>/dev/null | while read -r id; do
        xdotool getwindowname "$id"
    done | grep -qxF -- "$1"
}

# Every file tried in order; the failures first block nothing and name their files.
start_viewer "$work/pipe.jpg" "$work/folder.jpg" "$work/zero.jpg" "$work/anim.gif" "$sjis" \
    "$bad" "$work/picture"
expect_message "LoadJpegFile:ファイルが開けません (is a FIFO) $work/pipe.jpg"
expect_message "LoadJpegFile:ファイルが開けません (is a folder) $work/folder.jpg"
expect_message "JPEGLIB:Empty input file "
expect_message "LoadFile:この形式のファイルには対応していません $work/anim.gif"
# The three pictures are open; closing the active one at a time shows each name once.
expected=$(for name in "$work/picture" "$bad" "$sjis"; do shown_title "$(basename "$name")"; done |
    sort)
seen=""
for _ in 1 2 3; do
    poll 20 eval 'window=$(xdotool search --onlyvisible --pid "$viewer_pid" --name " - Tolmena\$" |
        head -1); [ -n "$window" ]' || fail "no picture is shown; seen so far: $seen"
    seen+="$(xdotool getwindowname "$window")"$'\n'
    xdotool windowfocus --sync "$window" key ctrl+F4
    poll 10 eval '[ "$(xdotool getwindowname "$window")" != "$(echo "$seen" | tail -2 | head -1)" ]' ||
        fail "the picture window did not close"
done
[ "$(echo -n "$seen" | sort)" = "$expected" ] || fail "the titles shown were $seen"
poll 10 main_window_titled Tolmena || fail "the main window did not stay once all were closed"
xdotool windowfocus --sync "$(xdotool search --onlyvisible --pid "$viewer_pid" --name '^Tolmena$' |
    head -1)" key alt+F4
expect_clean_exit

# A single file that fails leaves the window open; a FIFO chosen in the open dialog is refused.
start_viewer "$work/anim.gif"
expect_message "LoadFile:この形式のファイルには対応していません $work/anim.gif"
poll 20 main_window_titled Tolmena || fail "the main window did not come up after the message"
window=$(xdotool search --onlyvisible --pid "$viewer_pid" --name '^Tolmena$' | head -1)
main_window=$window
xdotool windowfocus --sync "$window" key ctrl+o
poll 10 eval '[ "$(xdotool getactivewindow 2>/dev/null)" != "$window" ]' ||
    fail "the open dialog did not open"
sleep 0.5
xdotool type --delay 5 "$work/pipe.jpg"
xdotool key Return
expect_message "LoadJpegFile:ファイルが開けません (is a FIFO) $work/pipe.jpg"
xdotool windowfocus --sync "$window" key alt+F4
expect_clean_exit
echo "e2e.opening: passed"
