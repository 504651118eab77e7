#!/usr/bin/env bash
# Ends the real viewer with SIGTERM and with SIGHUP, as a session's end or a closed terminal
# does, while a JPEG conversion's temporary file is open: the viewer exits with status 0 after
# the normal exit path, which removes the temporary file and writes the profile (here the
# quality typed into the control bar).
# Usage: signals.sh PATH/TO/tolmena PICTURE
set -euo pipefail
viewer=$(realpath "$1")
work=$(mktemp -d)
e2e_name=signals
source "$(dirname "$0")/common.sh"
cp "$2" "$work/picture.bmp"

start_xvfb
mkdir -m 700 "$work/runtime" "$work/temp"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
echo "leak:libdbus-1.so" >"$work/lsan.supp"
profile="$XDG_CONFIG_HOME/tolmena/tolmena.ini"
temporaries() { compgen -G "$work/temp/tlmn[0-9][0-9][0-9][0-9].jpg" >/dev/null; }

for signal in TERM HUP; do
    mkdir -p "$(dirname "$profile")"
    printf '[default]\nTempDir=%s/temp/\nParam1=75\n' "$work" >"$profile"
    LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0" "$viewer" \
        "$work/picture.bmp" &
    viewer_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
        head -1) || fail "the viewer's window did not appear"
    xdotool windowfocus --sync "$window" key ctrl+j
    poll 10 temporaries || fail "the conversion left no temporary file in $work/temp"
    xdotool windowfocus --sync "$window" key alt+q ctrl+a type 42
    sleep 0.3
    kill -s "$signal" "$viewer_pid"
    expect_clean_exit
    ! temporaries || fail "SIG$signal left $(ls "$work/temp")"
    grep -qx "Param1=42" "$profile" || fail "SIG$signal did not write the profile: $(cat "$profile")"
done
echo "e2e.signals: passed"
