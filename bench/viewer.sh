#!/bin/sh
# The viewer on a 6000 x 4000 JPEG and on a 1500 x 1000 one, under Xvfb:
#   first paint: from the start of the program to the view's first paint of a picture named on
#                the command line, against the decode alone (the document's open without a
#                window, and djpeg -bmp); target: decode + 150 ms
#   repaint:     one repaint of a scrolled view at 1600 % and at 10 %, for both picture sizes
#                (at 1600 % it must not grow with the picture)
#   memory:      peak memory while showing, above the bare application, against the pixels the
#                document holds (target <= 1.2 x)
# Usage: bench/viewer.sh [RUNS]   (from the source root; builds build-bench in Release)
set -eu
RUNS=${1:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_GUI=ON \
    -DTOLMENA_TESTS=OFF -DTOLMENA_BENCH=ON >/dev/null
cmake --build "$BUILD" --target bench_ViewerBench >/dev/null
BENCH="$BUILD/bench/bench_ViewerBench"

SOURCE="$ROOT/../shared/corpora/exif-samples/jpg/Canon_40D.jpg"
convert "$SOURCE" -resize '6000x4000!' -quality 90 -sampling-factor 2x2 "$WORK/big.jpg"
convert "$SOURCE" -resize '1500x1000!' -quality 90 -sampling-factor 2x2 "$WORK/small.jpg"
mkdir -p "$WORK/config" "$WORK/runtime"
chmod 700 "$WORK/runtime"
export XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" QT_QPA_PLATFORM=xcb

# median VALUE...: the middle value
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# field NAME OUTPUT: the value of a "name value" line
field() { printf '%s\n' "$2" | awk -v name="$1" '$1 == name {print $2}'; }

report() { # report FILE LABEL
    first="" r1600="" r10="" open="" djpeg="" pixels="" peak=""
    for _ in $(seq "$RUNS"); do
        out=$(xvfb-run -a -s "-screen 0 1600x1200x24" "$BENCH" show "$1")
        first="$first $(field first_paint_ms "$out")"
        r1600="$r1600 $(field repaint_1600_ms "$out")"
        r10="$r10 $(field repaint_10_ms "$out")"
        pixels=$(field pixels_mb "$out")
        peak="$peak $(field shown_peak_mb "$out")"
        open="$open $(field open_ms "$("$BENCH" open "$1")")"
        start=$(date +%s.%N)
        djpeg -bmp "$1" >/dev/null
        djpeg="$djpeg $(echo "($(date +%s.%N) - $start) * 1000" | bc)"
    done
    # shellcheck disable=SC2086
    python3 - "$2" "$(median $first)" "$(median $open)" "$(median $djpeg)" \
        "$(median $r1600)" "$(median $r10)" "$pixels" "$(median $peak)" <<'PY'
import sys
label = sys.argv[1]
first, open_, djpeg, r1600, r10, pixels, peak = map(float, sys.argv[2:])
print(f"{label}: first paint {first:.0f} ms; document open alone {open_:.0f} ms "
      f"(+{first - open_:.0f} ms, target +150); djpeg -bmp {djpeg:.0f} ms")
print(f"{label}: repaint at 1600 % {r1600:.2f} ms, at 10 % {r10:.2f} ms")
print(f"{label}: peak while showing {peak:.1f} MiB = {peak / pixels:.2f} x the document's "
      f"{pixels:.1f} MiB of pixels (target <= 1.2)")
PY
}

report "$WORK/big.jpg" "6000x4000"
report "$WORK/small.jpg" "1500x1000"
