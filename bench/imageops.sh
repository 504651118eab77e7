#!/usr/bin/env bash
# Benchmarks of the image operations against ImageMagick on the same pixels (not part of ./test).
#   bench/imageops.sh [WORKDIR]
# Times are the best of several runs of the pixel work alone: ours in-process (ImageOpsBench),
# ImageMagick's with -bench, minus the time it takes to only read the same file. Both run on one
# thread. The gamma transfer is set against memcpy and against a vectorized byte loop over the
# same rows (the memory speed of a read-modify-write pass). Peak memory is the maximum resident size of whole processes (/usr/bin/time).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
mkdir -p "$work"
bench="$work/ImageOpsBench"
g++ -std=c++20 -O2 -I"$root/src" "$root/bench/ImageOpsBench.cpp" "$root/src/imageops/Resize.cpp" \
    "$root/src/imageops/LevelTable.cpp" "$root/src/imageops/PreviewPixels.cpp" \
    "$root/src/imageops/PreviewModel.cpp" "$root/src/base/GammaTable.cpp" -o "$bench"
export MAGICK_THREAD_LIMIT=1

# Seconds per iteration of an ImageMagick command line, from its -bench report.
magick_seconds() {
    convert -bench 5 "$@" null: 2>&1 | awk '/Performance/ { print 1 / substr($3, 1, index($3, "ips") - 1) }' | tail -1
}

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

"$bench" make 6000 4000 "$work/big.ppm"
"$bench" make 1000 750 "$work/mid.ppm"

run_resize() { # input, width, height
    local input=$1 size="$2x$3"
    local ours read scale resize
    ours=$("$bench" resize "$input" "$2" "$3" "$work/ours-$size.ppm" | awk '{ print $(NF - 1) }')
    read=$(magick_seconds "$input")
    scale=$(magick_seconds "$input" -scale "$size!")
    resize=$(magick_seconds "$input" -resize "$size!")
    convert "$input" -scale "$size!" "$work/magick-$size.ppm"
    local psnr
    psnr=$(compare -metric PSNR "$work/ours-$size.ppm" "$work/magick-$size.ppm" null: 2>&1 || true)
    awk -v o="$ours" -v r="$read" -v s="$scale" -v z="$resize" -v n="$(basename "$input") -> $size" -v p="$psnr" 'BEGIN {
        s = (s - r) * 1000; z = (z - r) * 1000
        printf "%-22s ours %7.1f ms | -scale %7.1f ms (x%.1f) | -resize %7.1f ms (x%.1f) | PSNR to -scale %s dB\n",
               n, o, s, s / o, z, z / o, p }'
    local hold mine magick
    hold=$(peak_kb "$bench" hold "$input")
    mine=$(peak_kb "$bench" resize "$input" "$2" "$3" "$work/ours-$size.ppm")
    magick=$(peak_kb convert "$input" -scale "$size!" "$work/magick-$size.ppm")
    awk -v h="$hold" -v m="$mine" -v g="$magick" 'BEGIN {
        printf "%-22s peak: ours %.1f MB (%.1f MB above holding the picture) | ImageMagick -scale %.1f MB\n",
               "", m / 1024, (m - h) / 1024, g / 1024 }'
}

run_resize "$work/big.ppm" 160 107
run_resize "$work/mid.ppm" 2000 1500
"$bench" gamma "$work/big.ppm"
"$bench" preview "$work/big.ppm"

# End to end through tolmena-cli (BMP in and out), when a release build is at hand.
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
if [ -x "$cli" ]; then
    convert "$work/big.ppm" "$work/big.bmp"
    export XDG_CONFIG_HOME="$work/config"
    for job in "resize $work/big.bmp $work/cli-small.bmp 160x107|-scale 160x107!" \
               "gamma $work/big.bmp $work/cli-gamma.bmp --gamma 2.2|-gamma 2.2"; do
        ours=${job%%|*} theirs=${job#*|}
        read -r ourTime ourPeak < <(/usr/bin/time -f "%e %M" "$cli" $ours 2>&1 >/dev/null | tail -1)
        read -r imTime imPeak < <(/usr/bin/time -f "%e %M" convert "$work/big.bmp" $theirs "$work/im.bmp" 2>&1 | tail -1)
        awk -v c="${ours%% *}" -v a="$ourTime" -v b="$ourPeak" -v x="$imTime" -v y="$imPeak" 'BEGIN {
            printf "cli %-7s 6000x4000 BMP: %.2f s, peak %.0f MB | convert: %.2f s, peak %.0f MB\n",
                   c, a, b / 1024, x, y / 1024 }'
    done
fi
echo "work files in $work"
