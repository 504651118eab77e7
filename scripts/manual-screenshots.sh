#!/usr/bin/env bash
# Takes the pictures of the manual from the real program on its own X server: the viewer, the
# file menu, the settings sheet, the dialogs with a Help button, and the help window itself.
# Usage: scripts/manual-screenshots.sh PATH/TO/tolmena PICTURE.jpg OUTPUT_DIR [SCALE]
# With OUTPUT_DIR = docs/manual/images the manual's pictures are retaken. SCALE sets
# QT_SCALE_FACTOR (e.g. 1.5). Needs Xvfb, xdotool and ImageMagick's import.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
viewer=$(realpath "$1")
picture=$(realpath "$2")
out=$(mkdir -p "$3" && realpath "$3")
scale=${4:-1}
work=$(mktemp -d)
e2e_name=manual-screenshots
source "$root/tests/e2e/common.sh"
start_xvfb
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    QT_SCALE_FACTOR="$scale" ASAN_OPTIONS=detect_leaks=0

"$viewer" "$picture" &
viewer_pid=$!
main=$(timeout 60 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena | head -1)
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" 1000 760

# The visible window of the viewer whose title matches NAME.
find_window() {
    timeout 20 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name "$1" | tail -1
}
shot_window() { sleep "${3:-1.5}" && import -window "$2" "$out/$1.png"; }
# Closes the window with Escape.
close_window() {
    xdotool windowfocus --sync "$1" key Escape
    sleep 0.5
}
key() { xdotool windowfocus --sync "$main" key "$@"; }
# Opens a dialog with KEYS, shoots it as NAME, and closes it with Escape.
shoot_dialog() {
    local name=$1 title=$2
    shift 2
    key "$@"
    local dialog
    dialog=$(find_window "$title") || fail "no window \"$title\" after $*"
    shot_window "$name" "$dialog"
    close_window "$dialog"
}

key ctrl+f
shot_window viewer "$main"
key alt+f
sleep 1
import -window root -crop 1000x760+0+0 "$out/menu-file.png"
key Escape
# The help window: the contents from F1, then the page a dialog's Help button opens.
key F1
sleep 2
# The help window is the newest window besides the main one.
help=$(xdotool search --onlyvisible --pid "$viewer_pid" "" | grep -vx "$main" | sort -n | tail -1)
[ -n "$help" ] || fail "no help window"
xdotool windowmove --sync "$help" 0 0
shot_window help-contents "$help" 5
close_window "$help"
key ctrl+q
dialog=$(find_window "カスタム DQT") || fail "no custom DQT dialog"
xdotool windowfocus --sync "$dialog" key alt+h
sleep 1
shot_window help-custom-dqt "$(find_window ヘルプ)"
close_window "$(find_window ヘルプ)"
close_window "$dialog"
shoot_dialog settings-general 環境設定 alt+f r
shoot_dialog custom-dqt "カスタム DQT" ctrl+q
shoot_dialog comment-editor コメント編集 alt+t
shoot_dialog marker-inspector "marker view" alt+m
shoot_dialog gamma "ガンマ/輝度補正" ctrl+g

# The batch conversion sits second from the bottom of the special menu; its PNG output
# enables the PNG save options.
key alt+z Up Up Return
batch=$(find_window "一括変換") || fail "no batch conversion dialog"
shot_window batch-convert "$batch"
xdotool windowfocus --sync "$batch" key alt+p alt+g
png=$(find_window "PNG 保存設定") || fail "no PNG save options"
shot_window png-save "$png"

kill "$viewer_pid"
viewer_pid=""
