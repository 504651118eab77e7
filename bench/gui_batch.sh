#!/usr/bin/env bash
# The GUI's batch filter (progress window over a disabled main window, events handled between
# files) against tolmena-cli filter, over the same tree of camera-size JPEGs, on an own X server.
# Usage: bench/gui_batch.sh [COUNT]   (default 200 files)
# Prints the best wall time of 3 runs of each and the ratio GUI / CLI.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench-gui"
count=${1:-200}
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

source "$root/scripts/deps.sh"
tolmena_install_deps libjpeg-turbo-progs xvfb
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_TESTS=OFF \
    -DTOLMENA_BENCH=ON >/dev/null
cmake --build "$build" --target tolmena-cli bench_gui_batch >/dev/null

source "$root/bench/camera_photo.sh"
make_camera_photo "$work/photo.jpg"
mkdir -p "$work/src"
for i in $(seq -w 1 "$count"); do cp "$work/photo.jpg" "$work/src/IMG_$i.JPG"; done
echo "tree: $count files of $(stat -c %s "$work/photo.jpg") bytes"

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 20 number <"$work/display"
mkdir -m 700 "$work/runtime"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" \
    XDG_RUNTIME_DIR="$work/runtime"

run_ms() { # command...: wall time in ms of one run into an empty destination
    rm -rf "$work/dst" && mkdir "$work/dst" && sync
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null || exit 1 # a failed run fails the script
    end=$(date +%s%N)
    echo $(((end - start) / 1000000))
}
cli_best="" gui_best=""
for _ in 1 2 3; do # alternating, so that both see the same machine load
    ms=$(run_ms "$build/tolmena-cli" --set bulkfilter.RemoveCOM=1 filter "$work/src" "$work/dst")
    [ -z "$cli_best" ] || [ "$ms" -lt "$cli_best" ] && cli_best=$ms
    ms=$(run_ms "$build/bench/bench_gui_batch" "$work/src" "$work/dst" RemoveCOM=1)
    [ -z "$gui_best" ] || [ "$ms" -lt "$gui_best" ] && gui_best=$ms
done
printf '%-24s %8d ms\n' "tolmena-cli filter" "$cli_best" "GUI batch filter" "$gui_best"
awk -v g="$gui_best" -v c="$cli_best" 'BEGIN { printf "ratio GUI / CLI: %.2f\n", g / c }'
