#!/usr/bin/env bash
# The clipboard between the real viewer and another program (xclip) on an own X server: Ctrl+V
# and Shift+Insert paste while no picture is open, a 7000 x 7000 PNG pastes whole and is copied
# back, and data that is no picture gives a message box.
# Usage: clipboard.sh PATH/TO/tolmena
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=clipboard
source "$(dirname "$0")/common.sh"

start_xvfb
viewer_environment

# png WIDTH HEIGHT OUT: a PNG of horizontal stripes, made fast at any size.
png() {
    python3 - "$@" <<'PY'
import struct, sys, zlib
width, height, out = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rows = b"".join(b"\0" + bytes((y % 256, 90, 200)) * width for y in range(256))
data = zlib.compress(rows * (height // 256) + rows[:(height % 256) * (3 * width + 1)], 1)
chunk = lambda kind, body: (struct.pack(">I", len(body)) + kind + body +
                            struct.pack(">I", zlib.crc32(kind + body)))
open(out, "wb").write(b"\x89PNG\r\n\x1a\n" +
                      chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                      chunk(b"IDAT", data) + chunk(b"IEND", b""))
PY
}
png 64 48 "$work/small.png"
png 7000 7000 "$work/large.png"
head -c 5000 /dev/urandom >"$work/junk.png"

# offer FILE: xclip owns the clipboard with FILE's bytes as image/png until another owner comes.
offered() { xclip -selection clipboard -t image/png -o 2>/dev/null | cmp -s - "$1"; }
offer() {
    xclip -quiet -selection clipboard -t image/png -i "$1" 2>/dev/null &
    poll 10 offered "$1" || fail "xclip did not take the clipboard"
}
start_viewer() {
    "$viewer" &
    viewer_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
        head -1) || fail "the viewer's window did not appear"
    xdotool windowfocus --sync "$window"
}
stop_viewer() { kill "$viewer_pid" && wait "$viewer_pid" 2>/dev/null || true; }
# pasted KEYS: the keys open the clipboard picture (the viewer may not have seen the offer yet).
pasted() {
    xdotool key "$1"
    poll 1 eval 'xdotool getwindowname "$window" | grep -q "^クリップボード"'
}
# The size of the picture the viewer copies, from its PNG's header.
copied_size() {
    xclip -selection clipboard -t image/png -o 2>/dev/null |
        python3 -c 'import struct, sys; print("%dx%d" % struct.unpack(">II", sys.stdin.buffer.read(24)[16:]))'
}

offer "$work/small.png"
for keys in ctrl+v shift+Insert; do # each from a fresh start, the focus in the quality field
    start_viewer
    poll 15 pasted "$keys" || fail "$keys did not paste while no picture was open"
    if [ "$keys" = ctrl+v ]; then stop_viewer; fi
done

# The viewer handles keys in order, so the copy starts once the paste is done.
offer "$work/large.png"
xdotool key ctrl+v ctrl+c
viewer_owns() { xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx image/bmp; }
poll 120 viewer_owns || fail "no copy after pasting the 7000 x 7000 picture"
[ "$(copied_size)" = 7000x7000 ] || fail "the 7000 x 7000 picture was not pasted whole"

windows() { xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | sort; }
before=$(windows)
offer "$work/junk.png"
xdotool key ctrl+v
box() { box=$(comm -13 <(echo "$before") <(windows) | head -1) && [ -n "$box" ]; }
poll 30 box || fail "pasting data that is no picture said nothing"
# The text itself is checked by the unit test; here the box is closed with Enter.
xdotool windowfocus --sync "$box" key Return
poll 10 eval '! xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | grep -qx "$box"' ||
    fail "the message box did not close"
stop_viewer
echo "e2e.clipboard: passed"
