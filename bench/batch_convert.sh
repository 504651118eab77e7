#!/usr/bin/env bash
# Batch conversion against libvips' vipsthumbnail and ImageMagick's mogrify (not part of ./test).
#   bench/batch_convert.sh [WORKDIR]
# 50 camera-size JPEGs (4000x3000, quality 90) become 160x120 JPEGs at quality 75, by
# tolmena-cli with one worker, one worker per processor, and --fast (shrink on load) with one
# worker per processor; vipsthumbnail and mogrify get all files in one process and their own
# default threading. Times are the best of three runs of the whole tree, peak memory the largest
# resident size (/usr/bin/time). Then the --fast outputs are compared with the exact ones (PSNR,
# ImageMagick's compare) over these files and the corpus JPEGs at least twice the target size.
# tolmena-cli is a release build: TOLMENA_CLI, or build-release/tolmena-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
files=${FILES:-50}
cores=$(nproc)
[ -x "$cli" ] || { echo "no tolmena-cli at $cli" >&2; exit 1; }
export XDG_CONFIG_HOME="$work/config"
source "$root/bench/measure.sh"
camera_jpegs "$files"

# best_of OUTDIR COMMAND...: the shortest wall time of three runs into a fresh OUTDIR, and the
# largest peak resident size.
best_of() {
    local out=$1 best="" peak=0 seconds kb
    shift
    for _ in 1 2 3; do
        rm -rf "$out" && mkdir -p "$out"
        read -r seconds kb < <(/usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1)
        best=$(awk -v a="$best" -v b="$seconds" 'BEGIN { print (a == "" || b < a) ? b : a }')
        [ "$kb" -gt "$peak" ] && peak=$kb
    done
    echo "$best $peak"
}

# tolmena-cli converting to 160x120 at quality 75: batch-convert OPTIONS... SRC DST follow.
thumbnails=("$cli" --set Param1=75 --set bulkconv.SizeWidth=160 --set bulkconv.SizeHeight=160
    batch-convert)

declare -A seconds peak
run() { # NAME OUTDIR COMMAND...
    local name=$1
    shift
    read -r "seconds[$name]" "peak[$name]" < <(best_of "$@")
}
run "tolmena -j 1" "$work/exact1" "${thumbnails[@]}" -j 1 "$work/src" "$work/exact1"
run "tolmena -j $cores" "$work/exact" "${thumbnails[@]}" -j "$cores" "$work/src" "$work/exact"
run "tolmena --fast -j $cores" "$work/fast" "${thumbnails[@]}" --fast -j "$cores" "$work/src" \
    "$work/fast"
names=("tolmena -j 1" "tolmena -j $cores" "tolmena --fast -j $cores")
if command -v vipsthumbnail >/dev/null; then
    run vipsthumbnail "$work/vips" \
        vipsthumbnail "$work/src/"*.jpg -s 160x120 -o "$work/vips/%s.jpg[Q=75]"
    names+=(vipsthumbnail)
fi
run mogrify "$work/magick" mogrify -path "$work/magick" -resize 160x120 -quality 75 \
    "$work/src/"*.jpg
names+=(mogrify)

echo "$files x 4000x3000 JPEG ($(du -h "$work/camera.jpg" | cut -f1) each) -> 160x120 JPEG, $cores cores"
base=${seconds["tolmena -j 1"]}
for name in "${names[@]}"; do
    awk -v n="$name" -v s="${seconds[$name]}" -v k="${peak[$name]}" -v b="$base" \
        -v f="$files" 'BEGIN { printf "%-24s %6.2f s  %6.1f ms/file  peak %6.1f MB  %5.2fx faster than -j 1\n",
                             n, s, s * 1000 / f, k / 1024, b / s }'
done
diff -r "$work/exact1" "$work/exact" >/dev/null &&
    echo "-j $cores outputs equal -j 1 outputs" || echo "-j $cores outputs DIFFER from -j 1"

# PSNR of the --fast output against the exact output of each picture that --fast decodes at a
# reduced scale (the others are identical): PNG outputs (the scalers' difference alone) and the
# JPEG outputs at quality 75 (with the two encodings' own losses).
mkdir -p "$work/corpus"
find "$root/../shared/corpora" -iname "*.jpg" 2>/dev/null | while read -r jpeg; do
    read -r width height < <(identify -format "%w %h\n" "$jpeg[0]" 2>/dev/null || echo "0 0")
    if [ "$width" -ge 320 ] && [ "$height" -ge 240 ]; then cp "$jpeg" "$work/corpus/"; fi
done
psnr() { # EXACTDIR FASTDIR LABEL
    for exact in "$1"/*; do
        { compare -metric PSNR "$exact" "$2/$(basename "$exact")" null: 2>&1 || true; }
        echo " $(basename "$exact")"
    done | awk -v label="$3" '$1 != "inf" && $1 + 0 > 0 { n++; sum += $1; if (min == "" || $1 < min) { min = $1; worst = $2 } }
        END { printf "--fast vs exact, %s: %d pictures shrunk on load, mean PSNR %.1f dB, lowest %.1f dB (%s)\n", label, n, sum / n, min, worst }'
}
for format in 0 1; do
    rm -rf "$work/corpus-exact" "$work/corpus-fast" && mkdir -p "$work/corpus-exact" "$work/corpus-fast"
    "${thumbnails[@]/batch-convert/--set}" bulkconv.UsePngFormat=$format batch-convert \
        "$work/corpus" "$work/corpus-exact" >/dev/null 2>&1 || true
    "${thumbnails[@]/batch-convert/--set}" bulkconv.UsePngFormat=$format batch-convert --fast \
        "$work/corpus" "$work/corpus-fast" >/dev/null 2>&1 || true
    psnr "$work/corpus-exact" "$work/corpus-fast" "$([ $format = 1 ] && echo PNG || echo JPEG) outputs of $(ls "$work/corpus" | wc -l) corpus JPEGs"
done
psnr "$work/exact" "$work/fast" "the $files camera JPEGs"
echo "work files in $work"
