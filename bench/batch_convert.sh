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

thumbnails() { # OUTDIR SRCDIR [OPTIONS...]
    local out=$1 src=$2
    shift 2
    "$cli" --set Param1=75 --set bulkconv.SizeWidth=160 --set bulkconv.SizeHeight=160 \
        batch-convert "$@" "$src" "$out"
}

declare -A seconds peak
run() { # NAME OUTDIR COMMAND...
    local name=$1
    shift
    read -r "seconds[$name]" "peak[$name]" < <(best_of "$@")
}
run "tolmena -j 1" "$work/exact1" thumbnails "$work/exact1" "$work/src" -j 1
run "tolmena -j $cores" "$work/exact" thumbnails "$work/exact" "$work/src" -j "$cores"
run "tolmena --fast -j $cores" "$work/fast" thumbnails "$work/fast" "$work/src" --fast -j "$cores"
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
cmp -s <(cd "$work/exact1" && cat ./*.jpg) <(cd "$work/exact" && cat ./*.jpg) &&
    echo "-j $cores outputs equal -j 1 outputs" || echo "-j $cores outputs DIFFER from -j 1"

# PSNR of the --fast output against the exact output of each picture.
mkdir -p "$work/corpus"
for jpeg in "$root"/../shared/corpora/*/*.jpg "$root"/../shared/corpora/*/*/*.jpg; do
    [ -f "$jpeg" ] || continue
    read -r width height < <(identify -format "%w %h\n" "$jpeg[0]" 2>/dev/null || echo "0 0")
    [ "$width" -ge 320 ] && [ "$height" -ge 320 ] && cp "$jpeg" "$work/corpus/$(basename "$jpeg")"
done
mkdir -p "$work/corpus-exact" "$work/corpus-fast"
thumbnails "$work/corpus-exact" "$work/corpus" >/dev/null 2>&1 || true
thumbnails "$work/corpus-fast" "$work/corpus" --fast >/dev/null 2>&1 || true
for exact in "$work/exact/photo1.jpg" "$work/corpus-exact/"*.jpg; do
    fast=${exact/exact/fast}
    [ -f "$fast" ] || continue
    compare -metric PSNR "$exact" "$fast" null: 2>&1 | awk -v f="$(basename "$exact")" '{ print f, $1 }'
done | awk '{ n++; v = ($2 == "inf") ? 99 : $2; sum += v; if (min == "" || v < min) { min = v; worst = $1 } }
    END { printf "--fast vs exact: %d pictures, mean PSNR %.1f dB, lowest %.1f dB (%s)\n", n, sum / n, min, worst }'
echo "work files in $work"
