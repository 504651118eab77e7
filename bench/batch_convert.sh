#!/usr/bin/env bash
# Batch conversion against ImageMagick's mogrify and libvips' vipsthumbnail (not part of ./test).
#   bench/batch_convert.sh [WORKDIR]
# 50 camera-size JPEGs (4000x3000, quality 90) become 160x120 JPEGs at quality 75. Each tool
# runs on one thread; times are the best of three runs of the whole tree, peak memory the
# maximum resident size of the process (/usr/bin/time). tolmena-cli is a release build:
# TOLMENA_CLI, or build-release/tolmena-cli (cmake -B build-release -DCMAKE_BUILD_TYPE=Release).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
files=${FILES:-50}
[ -x "$cli" ] || { echo "no tolmena-cli at $cli" >&2; exit 1; }
export MAGICK_THREAD_LIMIT=1 VIPS_CONCURRENCY=1 XDG_CONFIG_HOME="$work/config"
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

read -r ours ourPeak < <(best_of "$work/ours" "$cli" --set Param1=75 \
    --set bulkconv.SizeWidth=160 --set bulkconv.SizeHeight=160 \
    batch-convert "$work/src" "$work/ours")
read -r magick magickPeak < <(best_of "$work/magick" \
    mogrify -path "$work/magick" -resize 160x120 -quality 75 "$work/src/"*.jpg)
report() { # name seconds kb
    awk -v n="$1" -v s="$2" -v k="$3" -v o="$ours" 'BEGIN {
        printf "%-16s %6.2f s  %6.1f ms/file  peak %6.1f MB  (%.2fx tolmena-cli)\n",
               n, s, s * 1000 / '"$files"', k / 1024, s / o }'
}
echo "$files x 4000x3000 JPEG ($(du -h "$work/camera.jpg" | cut -f1) each) -> 160x120 JPEG, one thread"
report tolmena-cli "$ours" "$ourPeak"
report mogrify "$magick" "$magickPeak"
if command -v vipsthumbnail >/dev/null; then
    read -r vips vipsPeak < <(best_of "$work/vips" \
        vipsthumbnail "$work/src/"*.jpg -s 160x120 -o "$work/vips/%s.jpg[Q=75]")
    report vipsthumbnail "$vips" "$vipsPeak"
fi
"$cli" describe "$work/ours/photo1.jpg"
identify "$work/magick/photo1.jpg"
echo "work files in $work"
