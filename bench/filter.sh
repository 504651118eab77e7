#!/usr/bin/env bash
# The batch filter over a tree of camera-size JPEGs (4000x3000, about 4.5 MB, with the Exif APP1
# of a camera file: maker notes and a thumbnail), against
#   cp -r                    the same tree copied: the bound set by reading and writing the bytes
# tolmena-cli runs with one worker and with its default (one per processor).
#   jpegtran -copy none      one process per file, as a shell loop would run it
#   exiftool -all=           one process over the whole tree
# Usage: bench/filter.sh [COUNT]   (default 200 files)
# Prints the best wall time of 3 runs of each, its ratio to cp -r, and the bytes written.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
count=${1:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$root/scripts/deps.sh"
tolmena_install_deps libjpeg-turbo-progs libimage-exiftool-perl
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_TESTS=OFF \
    -DTOLMENA_GUI=OFF >/dev/null
cmake --build "$build" --target tolmena-cli >/dev/null
cli="$build/tolmena-cli"

source "$root/bench/camera_photo.sh"
make_camera_photo "$work/photo.jpg"
mkdir -p "$work/src"
for i in $(seq -w 1 "$count"); do cp "$work/photo.jpg" "$work/src/IMG_$i.JPG"; done
echo "tree: $count files of $(stat -c %s "$work/photo.jpg") bytes ($(du -sm "$work/src" | cut -f1) MB)"

fresh() { rm -rf "$work/dst" && mkdir "$work/dst" && sync; }
jpegtran_loop() {
    for f in "$work"/src/*.JPG; do jpegtran -copy none -outfile "$work/dst/$(basename "$f")" "$f"; done
}
export XDG_CONFIG_HOME="$work/config"

best_ms() { # command...: best wall time of 3 runs in ms, each into an empty destination
    local best=""
    for _ in 1 2 3; do
        fresh
        local start end ms
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
    done
    echo "$best"
}

cp_ms=$(best_ms cp -r "$work/src/." "$work/dst/")
report() { # name, ms
    printf '%-24s %8d ms  x%-6s %6d MB written\n' "$1" "$2" \
        "$(awk -v a="$2" -v b="$cp_ms" 'BEGIN { printf "%.2f", a / b }')" \
        "$(du -sm "$work/dst" | cut -f1)"
}
report "cp -r" "$cp_ms"
report "tolmena-cli filter -j 1" \
    "$(best_ms "$cli" --set bulkfilter.RemoveCOM=1 filter -j 1 "$work/src" "$work/dst")"
report "tolmena-cli filter -j $(nproc)" "$(best_ms "$cli" --set bulkfilter.RemoveCOM=1 filter "$work/src" "$work/dst")"
djpeg "$work/src/IMG_$(seq -w 1 "$count" | head -1).JPG" >"$work/a.ppm"
djpeg "$work/dst/IMG_$(seq -w 1 "$count" | head -1).jpg" >"$work/b.ppm"
cmp -s "$work/a.ppm" "$work/b.ppm" && echo "  (filtered pixels identical to the source)"
report "tolmena-cli filter -Exif" \
    "$(best_ms "$cli" --set bulkfilter.ConvertExif=1 filter "$work/src" "$work/dst")"
report "jpegtran -copy none" "$(best_ms jpegtran_loop)"
report "exiftool -all=" "$(best_ms exiftool -q -q -all= -o "$work/dst/" "$work/src/")"
