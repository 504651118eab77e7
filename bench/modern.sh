#!/usr/bin/env bash
# Opening a 12 MP HEIC, AVIF, WebP and JPEG XL picture (tolmena-cli info decodes the whole
# picture) against each library's own tool decoding it (heif-convert and avifdec to PNG, dwebp to
# PPM, djxl to PPM), and a batch conversion of 50 HEIC phone photos to JPEG against a loop of
# heif-convert to JPEG. Ratios are tolmena-cli's time over the tool's (aim: at most 1.2 for an
# open).
#   bench/modern.sh [WORKDIR]
# tolmena-cli is a release build: TOLMENA_CLI, or build-release/tolmena-cli. Needs webp,
# libheif-examples, libavif-bin, libjxl-tools and imagemagick.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
[ -x "$cli" ] || { echo "no tolmena-cli at $cli" >&2; exit 1; }
for tool in heif-enc heif-convert avifenc avifdec cwebp dwebp cjxl djxl convert; do
    command -v "$tool" >/dev/null || { echo "needs $tool" >&2; exit 1; }
done
export XDG_CONFIG_HOME="$work/config"
source "$root/bench/measure.sh"

# The 12 MP picture in each format, made once.
if [ ! -f "$work/photo.jxl" ]; then
    convert -size 4000x3000 gradient:skyblue-darkgreen -attenuate 0.4 +noise Gaussian \
        -blur 0x1 "$work/photo.png"
    heif-enc -q 85 "$work/photo.png" -o "$work/photo.heic" >/dev/null
    avifenc -s 8 -j 2 "$work/photo.png" "$work/photo.avif" >/dev/null
    cwebp -quiet -q 85 "$work/photo.png" -o "$work/photo.webp"
    cjxl --quiet -d 1 "$work/photo.png" "$work/photo.jxl" 2>/dev/null
fi

median() { sort -n | sed -n 2p; }
# Three runs each; the median.
run() {
    local label=$1
    shift
    for _ in 1 2 3; do
        measure "$label" "$@"
        local var="SECONDS_$label"
        echo "${!var}"
    done | median
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 0.01) }'; }

open_line() {
    local format=$1 ours theirs
    shift
    ours=$(run "ours_$format" "$cli" info "$work/photo.$format")
    theirs=$(run "tool_$format" "$@")
    printf "%-5s tolmena-cli info %6s s, %-12s %6s s, ratio %s\n" "$format" "$ours" "$1" \
        "$theirs" "$(ratio "$ours" "$theirs")"
}
open_line heic heif-convert "$work/photo.heic" "$work/out-heic.png"
open_line avif avifdec "$work/photo.avif" "$work/out-avif.png"
open_line webp dwebp -quiet "$work/photo.webp" -ppm -o "$work/out-webp.ppm"
open_line jxl djxl "$work/photo.jxl" "$work/out-jxl.ppm"

# 50 phone photos, converted in a batch (as they are, Exif kept) and by a heif-convert loop.
mkdir -p "$work/heic" "$work/batch" "$work/loop"
for i in $(seq -w 1 50); do cp "$work/photo.heic" "$work/heic/IMG_00$i.HEIC"; done
batch=$(run batch "$cli" --set bulkconv.SizeConvertMode=2 --set bulkconv.ExtFilter=0 \
    --set bulkconv.KeepMetadata=1 batch-convert "$work/heic" "$work/batch")
loop=$(run loop sh -c 'for f in "$0"/*.HEIC; do heif-convert -q 75 "$f" "$1/$(basename "$f" .HEIC).jpg" >/dev/null; done' \
    "$work/heic" "$work/loop")
echo "50 HEIC to JPEG: tolmena-cli batch-convert ${batch} s, heif-convert loop ${loop} s, ratio $(ratio "$batch" "$loop")"
