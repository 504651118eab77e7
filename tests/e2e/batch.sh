#!/usr/bin/env bash
# Runs the batch filter and the batch conversion from their dialogs in the real viewer, by keys
# alone, over a small tree, and checks that they write the same files and logs as tolmena-cli
# with the same settings.
# Usage: batch.sh PATH/TO/tolmena PATH/TO/tolmena-cli
set -euo pipefail
viewer=$(realpath "$1")
cli=$(realpath "$2")
work=$(mktemp -d)
e2e_name=batch
source "$(dirname "$0")/common.sh"

# The source tree: JPEGs with comments at two levels, and a file that is not selected.
make_tree() {
    mkdir -p "$work/src/sub" "$work/gui-filter" "$work/cli-filter" "$work/gui-convert" \
        "$work/cli-convert"
    convert -size 64x48 gradient:red-blue -set comment first "jpg:$work/src/b.jpg"
    convert -size 40x90 plasma:fractal -seed 3 -set comment second "jpg:$work/src/A.JPEG"
    convert -size 50x50 gradient:green-yellow "jpg:$work/src/sub/c.jfif"
    echo "not a picture" >"$work/src/notes.txt"
}

# Both sections point at the tree and at the GUI's destinations; the CLI names its own (--log for the log, whose links are relative to its folder).
write_profile() {
    mkdir -p "$XDG_CONFIG_HOME/tolmena"
    cat >"$XDG_CONFIG_HOME/tolmena/tolmena.ini" <<INI
[bulkfilter]
SrcDirectory=$work/src
DstDirectory=$work/gui-filter
CreateLog=1
LogFilePath=$work/gui-filter.htm
RemoveCOM=1
RecurseDir=1
[bulkconv]
SrcDirectory=$work/src
DstDirectory=$work/gui-convert
CreateLog=1
LogFilePath=$work/gui-convert.htm
SizeWidth=32
SizeHeight=32
RecurseDir=1
INI
}

visible_windows() { xdotool search --onlyvisible --pid "$viewer_pid" "" 2>/dev/null | sort; }
log_complete() { grep -q '</BODY></HTML>' "$1" 2>/dev/null; }
# Windows shown besides those of the idle viewer (its main window and Qt's own).
new_windows() { comm -13 <(echo "$idle_windows") <(visible_windows); }
other_windows() { new_windows | grep -c . || true; }
# The one window shown besides those of the idle viewer: a menu or a dialog.
window_shown() {
    shown=$(new_windows | head -1)
    [ -n "$shown" ]
}

# Opens a command of the 特殊 menu (Alt+Z), accepts its dialog with Enter, waits for the run to
# end and closes the summary with Enter. The rest: the command that picks the item in the open
# menu, which is the window "$shown".
run_from_menu() {
    local log=$1
    shift
    xdotool windowfocus --sync "$window" key alt+z
    poll 10 window_shown || fail "the 特殊 menu did not open"
    local menu=$shown
    "$@"
    poll 10 eval 'window_shown && [ "$shown" != "$menu" ]' ||
        fail "the settings dialog did not open ($log)"
    local dialog=$shown
    sleep 0.3 # the dialog takes the focus once mapped
    xdotool key Return
    poll 10 eval '! new_windows | grep -qx "$dialog"' || fail "the settings dialog stayed open ($log)"
    poll 60 log_complete "$log" || fail "the run did not complete its log $log"
    # The summary box over the progress window; it takes the focus, so Enter closes it.
    poll 10 eval '[ "$(other_windows)" -ge 2 ]' || fail "no summary message after the run ($log)"
    sleep 0.5
    xdotool key Return
    poll 10 eval '[ "$(other_windows)" -eq 0 ]' ||
        fail "the summary or the progress window stayed open ($log)"
}

same_results() { # name: the GUI's and the CLI's destination tree and log
    diff -r "$work/gui-$1" "$work/cli-$1" >/dev/null || fail "$1: the files differ from the CLI's"
    sed "s|gui-$1|cli-$1|g" "$work/gui-$1.htm" | cmp -s - "$work/cli-$1.htm" ||
        fail "$1: the log differs from the CLI's"
}

start_xvfb
mkdir -m 700 "$work/runtime"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
make_tree
write_profile

echo "leak:libdbus-1.so" >"$work/lsan.supp"
LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0" "$viewer" &
viewer_pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
    head -1) || fail "the viewer's window did not appear"
sleep 0.5
idle_windows=$(visible_windows)

# The menu holds JPEG マーカー編集, JPEG/PNG 一括変換 and JPEG 一括フィルタ(&F), in this order.
click_middle_item() {
    eval "$(xdotool getwindowgeometry --shell "$shown")"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
}
run_from_menu "$work/gui-filter.htm" xdotool key f
run_from_menu "$work/gui-convert.htm" click_middle_item

xdotool windowfocus --sync "$window" key alt+F4
expect_clean_exit

"$cli" filter --log "$work/cli-filter.htm" "$work/src" "$work/cli-filter" >/dev/null || true
"$cli" batch-convert --log "$work/cli-convert.htm" "$work/src" "$work/cli-convert" \
    >/dev/null || true
same_results filter
same_results convert
[ -f "$work/gui-filter/sub/c.jpg" ] || fail "the filter did not walk the subdirectory"
[ -f "$work/gui-convert/b.jpg" ] || fail "the conversion wrote nothing"
echo "e2e.batch: passed"
