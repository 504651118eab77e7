#!/usr/bin/env bash
# tolmena-cli exif over 50 camera JPEGs (the corpus's Exif samples) in one process, against
# exiftool and jhead reading the same files; ratios to tolmena-cli's time. The summary fields
# asked of exiftool are the ones exif prints.
#   bench/cli.sh [WORKDIR]
# tolmena-cli is a release build: TOLMENA_CLI, or build-release/tolmena-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
corpus=${CORPUS:-$root/../shared/corpora/exif-samples}
[ -x "$cli" ] || { echo "no tolmena-cli at $cli" >&2; exit 1; }
command -v exiftool >/dev/null && command -v jhead >/dev/null ||
    { echo "needs exiftool and jhead (apt-get install libimage-exiftool-perl jhead)" >&2; exit 1; }
export XDG_CONFIG_HOME="$work/config"
source "$root/bench/measure.sh"

mkdir -p "$work/src"
n=0
find "$corpus" -iname '*.jpg' -size +20k | sort | head -50 |
    while read -r file; do
        n=$((n + 1))
        cp "$file" "$work/src/$(printf '%03d' "$n")-$(basename "$file")"
    done
# Each file is named REPEAT times in one run, so that the runs last long enough to time.
repeat=${REPEAT:-20}
files=()
for _ in $(seq "$repeat"); do files+=("$work"/src/*.jpg); done
echo "$(ls "$work/src" | wc -l) camera JPEGs ($(du -sh "$work/src" | cut -f1)), each read $repeat times per run"

# Three runs each; the medians are compared.
median() { sort -n | sed -n 2p; }
run() {
    local label=$1
    shift
    for _ in 1 2 3; do
        measure "$label" "$@"
        local var="SECONDS_$label"
        echo "${!var}"
    done | median
}
# Every tool reads every file; a file without Exif makes exif exit 1, which is not a failure here.
ours=$(run ours sh -c '"$0" exif "$@" || [ $? -eq 1 ]' "$cli" "${files[@]}")
exiftool_s=$(run exiftool exiftool -fast -ExposureTime -FNumber -ISO -FocalLength -Model \
    -DateTimeOriginal "${files[@]}")
jhead_s=$(run jhead sh -c 'jhead "$@" || true' jhead "${files[@]}")
echo "tolmena-cli exif: ${ours} s"
echo "exiftool:         ${exiftool_s} s"
echo "jhead:            ${jhead_s} s"
awk -v o="$ours" -v e="$exiftool_s" -v j="$jhead_s" 'BEGIN {
    o = o > 0 ? o : 0.01
    printf "exiftool / tolmena-cli: %.1fx, jhead / tolmena-cli: %.1fx\n", e / o, j / o }'
