#!/usr/bin/env bash
# Splitting a JPEG into its segment list and writing the list back unchanged (what every
# lossless tool does around its edit), compared with a plain cp and with jpegtran -copy all.
# Usage: bench/segments.sh [FILE.jpg]   (default: a generated 6000x4000 photo-sized JPEG)
# Prints, per tool, the best wall time of 5 runs and the peak memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$root/scripts/deps.sh"
tolmena_install_deps libjpeg-turbo-progs time
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_BENCH=ON \
    -DTOLMENA_TESTS=OFF -DTOLMENA_GUI=OFF >/dev/null
cmake --build "$build" --target bench_segment_copy >/dev/null

input="${1:-}"
if [ -z "$input" ]; then
    input="$work/big.jpg"
    { printf 'P6 6000 4000 255\n'; head -c 72000000 /dev/urandom; } |
        cjpeg -quality 85 -restart 16 >"$input"
fi
echo "input: $input ($(stat -c %s "$input") bytes)"

run() { # name command...: best of 5 wall times in ms, peak RSS in KiB
    local name=$1 best="" rss=0
    shift
    for _ in 1 2 3 4 5; do
        local start end ms
        start=$(date +%s%N)
        /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
        rss=$(cat "$work/rss")
    done
    printf '%-22s %8d ms %10d KiB peak\n' "$name" "$best" "$rss"
}

run "cp" cp "$input" "$work/cp.jpg"
run "jpegtran -copy all" jpegtran -copy all -outfile "$work/jpegtran.jpg" "$input"
run "segment split+write" "$build/bench/bench_segment_copy" "$input" "$work/segments.jpg"
"$build/bench/bench_segment_copy" "$input" "$work/segments.jpg"
if cmp -s "$input" "$work/segments.jpg"; then
    echo "segment output identical to the input"
else
    echo "segment output differs from the input (bytes after the first EOI are dropped)"
fi
