#!/usr/bin/env bash
# PNG speed and peak memory on a 6000 × 4000 RGB picture, through tolmena-cli as a user runs it:
#   open (describe) against pngtopnm and ImageMagick decoding the same file;
#   save in mode 0 (24-bit RGB) and mode 1 (8-bit indexed, colour matching) against pnmtopng
#   and ImageMagick encoding, the save time being convert minus open;
#   mode 1 at a quarter of the pixels, to show that matching stays linear in pixels.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_GUI=OFF \
    -DTOLMENA_TESTS=OFF >/dev/null
cmake --build "$build" --target tolmena-cli >/dev/null
cli="$PWD/$build/tolmena-cli"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" # default settings

# make_input WIDTH HEIGHT NAME: a noisy gradient, as hard to compress as a photograph.
make_input() {
    convert -size "$1x$2" gradient:red-blue -attenuate 0.3 +noise Uniform -type TrueColor \
        -define png:exclude-chunks=date,time "png24:$work/$3.png"
    convert "$work/$3.png" "ppm:$work/$3.ppm"
}

source bench/measure.sh

make_input 6000 4000 big
make_input 3000 2000 quarter
measure open "$cli" describe "$work/big.png"
measure pngtopnm pngtopnm "$work/big.png"
measure magick_decode convert "$work/big.png" ppm:/dev/null
measure mode0 "$cli" --set pngSaveMode=0 convert "$work/big.png" "$work/out0.png"
measure pnmtopng sh -c "pnmtopng '$work/big.ppm' > '$work/pnm.png'"
measure magick_encode convert "$work/big.ppm" "png24:$work/magick.png"
measure mode1 "$cli" --set pngSaveMode=1 convert "$work/big.png" "$work/out1.png"
measure quarter_open "$cli" describe "$work/quarter.png"
measure quarter_mode1 "$cli" --set pngSaveMode=1 convert "$work/quarter.png" "$work/q1.png"

pixel_bytes=$((6000 * 4000 * 3))
echo "input: 6000x4000, $(stat -c %s "$work/big.png") bytes; pixels: $pixel_bytes bytes"
printf '%-34s %8s s  %8s KB\n' \
    "tolmena open" "$SECONDS_open" "$KB_open" \
    "pngtopnm decode" "$SECONDS_pngtopnm" "$KB_pngtopnm" \
    "ImageMagick decode" "$SECONDS_magick_decode" "$KB_magick_decode" \
    "tolmena open + save mode 0" "$SECONDS_mode0" "$KB_mode0" \
    "pnmtopng encode" "$SECONDS_pnmtopng" "$KB_pnmtopng" \
    "ImageMagick encode" "$SECONDS_magick_encode" "$KB_magick_encode" \
    "tolmena open + save mode 1" "$SECONDS_mode1" "$KB_mode1" \
    "tolmena open 3000x2000" "$SECONDS_quarter_open" "$KB_quarter_open" \
    "tolmena open + mode 1 3000x2000" "$SECONDS_quarter_mode1" "$KB_quarter_mode1"
awk -v open="$SECONDS_open" -v pngtopnm="$SECONDS_pngtopnm" -v dec="$SECONDS_magick_decode" \
    -v m0="$SECONDS_mode0" -v pnm="$SECONDS_pnmtopng" -v enc="$SECONDS_magick_encode" \
    -v m1="$SECONDS_mode1" -v qopen="$SECONDS_quarter_open" -v q1="$SECONDS_quarter_mode1" \
    -v kb="$KB_open" -v kb1="$KB_mode1" -v px="$pixel_bytes" 'BEGIN {
        printf "open / pngtopnm: %.2f   open / ImageMagick: %.2f\n", open / pngtopnm, open / dec
        printf "save mode 0 / pnmtopng: %.2f   / ImageMagick: %.2f\n", (m0 - open) / pnm, (m0 - open) / enc
        printf "save mode 1 / save mode 0: %.2f\n", (m1 - open) / (m0 - open)
        printf "mode 1 matching, 4x pixels: %.2f times the time (linear: 4)\n", (m1 - open) / (q1 - qopen)
        printf "peak / pixel bytes: open %.2f, open + save mode 1 %.2f\n", kb * 1024 / px, kb1 * 1024 / px
    }'
