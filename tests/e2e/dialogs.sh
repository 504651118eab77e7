#!/usr/bin/env bash
# Opens the viewer's dialogs under a window manager as a user would and reads what they show:
# every title is the dialog's caption alone (the main window's is "file - Tolmena"), and the
# buttons, read through the accessibility tree as a screen reader reads them, are Japanese where
# Qt supplies the text and keep the English captions the dialogs name themselves.
# Usage: dialogs.sh PATH/TO/tolmena PICTURE.jpg
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=dialogs
source "$(dirname "$0")/common.sh"
cp "$2" "$work/photo.jpg"

# The push buttons of the viewer's active window, one per line, in the tree's order.
cat >"$work/buttons.py" <<'PY'
import gi
gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

def buttons(node, found):
    if node.get_role() == Atspi.Role.PUSH_BUTTON and node.get_name():
        found.append(node.get_name())
    for i in range(node.get_child_count()):
        buttons(node.get_child_at_index(i), found)
    return found

desktop = Atspi.get_desktop(0)
for app in (desktop.get_child_at_index(i) for i in range(desktop.get_child_count())):
    for window in (app.get_child_at_index(i) for i in range(app.get_child_count())):
        if window.get_state_set().contains(Atspi.StateType.ACTIVE):
            print("\n".join(buttons(window, [])))
PY
buttons() { timeout 20 /usr/bin/python3 "$work/buttons.py"; }
active_title() { xdotool getactivewindow getwindowname 2>/dev/null; }

# Sends keys to the main window and waits for the window titled title to become active.
open_with() {
    local title=$1
    shift
    xdotool windowactivate --sync "$window" key --delay 100 "$@"
    poll 10 eval '[ "$(active_title)" = "$title" ]' ||
        fail "after $*: the active window is '$(active_title)', not '$title'"
    sleep 0.3
}
# Fails unless the active window has every button named and none of the English ones.
expect_buttons() {
    local shown=""
    poll 10 eval 'shown=$(buttons) && [ -n "$shown" ]' || fail "no buttons read from the window"
    for name in "$@"; do
        case $name in
        !*) grep -qxF -- "${name#!}" <<<"$shown" && fail "'${name#!}' among the buttons: $shown" ;;
        *) grep -qxF -- "$name" <<<"$shown" || fail "no button '$name' among: $shown" ;;
        esac
    done
    return 0
}
close_active() {
    xdotool key Escape
    poll 10 eval '[ "$(active_title)" = "photo.jpg - Tolmena" ]' || fail "the dialog stayed open"
}

start_xvfb
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
start_window_manager
start_session_bus

echo "leak:libdbus-1.so" >"$work/lsan.supp"
LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0" "$viewer" "$work/photo.jpg" \
    2>"$work/viewer.log" &
viewer_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1) || fail "the viewer's window did not appear"
poll 10 eval '[ "$(xdotool getwindowname "$window")" = "photo.jpg - Tolmena" ]' ||
    fail "the main window is titled '$(xdotool getwindowname "$window")'"

# Qt's standard buttons speak Japanese.
open_with "環境設定" alt+f r
expect_buttons OK キャンセル ヘルプ '!Cancel' '!Help'
close_active
open_with "本プログラムについて" alt+h a
expect_buttons OK
close_active
open_with "開く" ctrl+o
expect_buttons "開く(O)" キャンセル '!Cancel' '!&Open'
close_active
# Dialogs that name their buttons in English keep them.
open_with "ガンマ/輝度補正" ctrl+g
expect_buttons OK Cancel Help
close_active
open_with "カスタム DQT 設定" ctrl+q
expect_buttons OK Cancel Help...
close_active
open_with "画像サイズの変更" alt+r
expect_buttons OK Cancel
xdotool key ctrl+a type 50
xdotool key Return
poll 10 eval '[ "$(xdotool getwindowname "$window")" = "photo.jpg * - Tolmena" ]' ||
    fail "the resize did not mark the document"
# The question at the close of a modified picture, and its Yes/No/Cancel.
open_with "Tolmena" ctrl+F4
expect_buttons "はい(Y)" "いいえ(N)" キャンセル '!&Yes' '!&No' '!Cancel'
xdotool key Escape
poll 10 eval '[ "$(active_title)" = "photo.jpg * - Tolmena" ]' || fail "Cancel did not keep it open"

xdotool windowactivate --sync "$window" key alt+F4
poll 10 eval '[ "$(active_title)" = "Tolmena" ]' || fail "no question at exit"
xdotool key alt+n
expect_clean_exit
echo "e2e.dialogs: passed"
