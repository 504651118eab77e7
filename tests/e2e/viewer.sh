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

# The picture's pixels, the screen search and the comparisons.
cat >"$work/pixels.py" <<'EOF'
import struct, subprocess, sys

W, H = 64, 48

def colour(x, y):  # every pixel distinct, none black or white
    return (20 + 3 * x, 30 + 4 * y, (7 * x + 13 * y) % 200 + 40)

def row(y, order=1):  # order -1: BGR as BMP stores it
    return b"".join(bytes(colour(x, y)[::order]) for x in range(W))

def write_bmp(path):  # 24 bits, bottom-up; rows of 192 bytes need no padding
    pixels = b"".join(row(y, -1) for y in reversed(range(H)))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    open(path, "wb").write(header + info + pixels)

def read_image(path):  # any file ImageMagick reads, as (width, height, RGB bytes)
    ppm = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    fields = ppm.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    return width, height, fields[4][-width * height * 3:]

def shown_at(path, scale):  # top-left of the picture drawn scale times, or None
    width, height, rgb = read_image(path)
    first = bytes(colour(0, 0))
    at = rgb.find(first)
    while at >= 0:
        if at % 3 == 0:
            left, top = at // 3 % width, at // 3 // width
            if left + W * scale <= width and top + H * scale <= height and all(
                    rgb[((top + y) * width + left + x) * 3:][:3] ==
                    bytes(colour(x // scale, y // scale))
                    for y in range(H * scale) for x in range(W * scale)):
                return left, top
        at = rgb.find(first, at + 1)
    return None

def same_picture(path):
    width, height, rgb = read_image(path)
    return (width, height) == (W, H) and rgb == b"".join(row(y) for y in range(H))

command = sys.argv[1]
if command == "bmp":
    write_bmp(sys.argv[2])
elif command == "find":
    found = shown_at(sys.argv[2], int(sys.argv[3]))
    print("%d %d" % found if found else "")
    sys.exit(0 if found else 1)
elif command == "same":
    sys.exit(0 if same_picture(sys.argv[2]) else 1)
EOF
pixels() { python3 "$work/pixels.py" "$@"; }

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
xdotool key plus
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
