#!/usr/bin/env bash
# Another program pasting a 6000 x 4000 picture that the viewer copied, on an own X server:
# `xclip -selection clipboard -t image/png -o` and `-t image/bmp` (target: PNG <= 1.5 s), each
# after a fresh Ctrl+C, side by side with xclip handing the same PNG bytes to xclip (the X
# transfer alone) and, given BEFORE=PATH/TO/an-older-tolmena, that build's PNG paste.
# The viewer does the work in its event loop, so these times are also how long it stays
# unresponsive. Usage: bench/clipboard.sh [RUNS]   (TOLMENA=PATH skips the Release build)
set -euo pipefail
RUNS=${1:-3}
cd "$(dirname "$0")/.."
root=$PWD
if [ -z "${TOLMENA:-}" ]; then
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_GUI=ON \
        -DTOLMENA_TESTS=OFF -DTOLMENA_BENCH=ON >/dev/null
    cmake --build build-bench --target tolmena >/dev/null
    TOLMENA="$root/build-bench/tolmena"
fi
work=$(mktemp -d)
xvfb_pid="" viewer_pid=""
cleanup() {
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r number <"$work/display"
export DISPLAY=":$number" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
convert "$root/../shared/corpora/exif-samples/jpg/Canon_40D.jpg" -resize '6000x4000!' \
    -quality 90 "$work/big.jpg"

# seconds COMMAND...: wall-clock time of the command, stdout to $work/out
seconds() {
    local start=$EPOCHREALTIME
    "$@" >"$work/out"
    echo "$EPOCHREALTIME - $start" | bc
}
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# pastes VIEWER TYPE: median time of RUNS pastes of TYPE, each after a fresh copy in VIEWER.
pastes() {
    "$1" "$work/big.jpg" &
    viewer_pid=$!
    local window times=()
    window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$viewer_pid" --name Tolmena |
        head -1)
    sleep 2 # the picture is decoded and shown
    for _ in $(seq "$RUNS"); do
        xdotool windowfocus --sync "$window" key ctrl+c
        sleep 1
        times+=("$(seconds xclip -selection clipboard -t "$2" -o)")
    done
    kill "$viewer_pid" && wait "$viewer_pid" 2>/dev/null || true
    viewer_pid=""
    median "${times[@]}"
}

png=$(pastes "$TOLMENA" image/png)
png_bytes=$(stat -c %s "$work/out")
cp "$work/out" "$work/pasted.png"
bmp=$(pastes "$TOLMENA" image/bmp)
xclip -selection clipboard -t image/png -i "$work/pasted.png" 2>/dev/null
transfer=()
for _ in $(seq "$RUNS"); do transfer+=("$(seconds xclip -selection clipboard -t image/png -o)"); done
echo "paste of a 6000x4000 copy, median of $RUNS:"
printf '  %-34s %6.2f s  (%d bytes)\n' "tolmena image/png" "$png" "$png_bytes"
printf '  %-34s %6.2f s\n' "tolmena image/bmp" "$bmp"
printf '  %-34s %6.2f s\n' "xclip to xclip, the same PNG bytes" "$(median "${transfer[@]}")"
if [ -n "${BEFORE:-}" ]; then
    printf '  %-34s %6.2f s\n' "$BEFORE image/png" "$(pastes "$BEFORE" image/png)"
fi
