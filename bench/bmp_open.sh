#!/usr/bin/env bash
# Time and peak memory of opening a 6000 × 4000 24-bit BMP, against ImageMagick decoding the
# same file. Prints both measurements, the ratios between them, and our peak as a multiple of
# the picture's pixel bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-bench
width=6000 height=4000
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_BENCH=ON \
    -DTOLMENA_GUI=OFF -DTOLMENA_TESTS=OFF >/dev/null
cmake --build "$build" --target bmp_open >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input="$work/in.bmp"
convert -size "${width}x${height}" gradient:red-blue -attenuate 0.3 +noise Uniform \
    -type TrueColor "bmp3:$input"

# measure LABEL COMMAND...: sets SECONDS_<LABEL> and KB_<LABEL> from /usr/bin/time -v.
measure() {
    local label=$1
    shift
    /usr/bin/time -v "$@" >/dev/null 2>"$work/$label.time"
    printf -v "SECONDS_$label" '%s' "$(awk -F': ' '/Elapsed/ {print $2}' "$work/$label.time" |
        awk -F: '{print ($1 * 60) + $2}')"
    printf -v "KB_$label" '%s' "$(awk -F': ' '/Maximum resident/ {print $2}' "$work/$label.time")"
}
measure ours "$build/bench/bmp_open" "$input"
measure magick convert "$input" ppm:/dev/null

pixel_bytes=$((width * height * 3))
echo "file: $(stat -c %s "$input") bytes, pixels: $pixel_bytes bytes"
echo "tolmena:     ${SECONDS_ours} s, peak ${KB_ours} KB"
echo "ImageMagick: ${SECONDS_magick} s, peak ${KB_magick} KB"
awk -v t1="$SECONDS_ours" -v t2="$SECONDS_magick" -v m1="$KB_ours" -v m2="$KB_magick" \
    -v px="$pixel_bytes" 'BEGIN {
        printf "time ratio (tolmena / ImageMagick): %.2f\n", t1 / t2
        printf "peak ratio (tolmena / ImageMagick): %.2f\n", m1 / m2
        printf "peak / pixel bytes: %.2f (limit 2.5)\n", m1 * 1024 / px
    }'
