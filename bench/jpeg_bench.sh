#!/bin/sh
# JPEG reader and writer against libjpeg-turbo's own tools on a 6000 x 4000 picture:
#   open: LoadJpegFile (decode, packed DIB, display form) against djpeg -bmp and djpeg (PPM) to
#         /dev/null
#   save: SaveJpegFile's encoder at quality 75 against cjpeg -optimize from a PPM, and the whole
#         tolmena-cli jpeg of a 24-bit BMP against cjpeg -optimize of the same BMP (both 4:2:0,
#         each run a new file; the two outputs are compared byte for byte)
#   peak memory while opening against width x height x 3 bytes
# Usage: bench/jpeg_bench.sh [RUNS]   (from the source root; builds build-bench in Release)
set -eu
RUNS=${1:-5}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILD="$ROOT/build-bench"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLMENA_GUI=OFF \
    -DTOLMENA_TESTS=OFF -DTOLMENA_BENCH=ON >/dev/null
cmake --build "$BUILD" --target bench_JpegBench tolmena-cli >/dev/null
BENCH="$BUILD/bench/bench_JpegBench"

# A photograph scaled to 6000 x 4000, baseline 4:2:0 at quality 90.
SOURCE="$ROOT/../shared/corpora/exif-samples/jpg/Canon_40D.jpg"
convert "$SOURCE" -resize '6000x4000!' -quality 90 -sampling-factor 2x2 "$WORK/big.jpg"
djpeg -pnm "$WORK/big.jpg" >"$WORK/big.ppm"
djpeg -bmp "$WORK/big.jpg" >"$WORK/big.bmp"
export XDG_CONFIG_HOME="$WORK/config"

best() { # best wall time in seconds of RUNS runs of a command
    python3 - "$RUNS" "$@" <<'PY'
import subprocess, sys, time
runs, command = int(sys.argv[1]), sys.argv[2:]
best = 1e9
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(command, stdout=subprocess.DEVNULL, check=True)
    best = min(best, time.perf_counter() - start)
print(f"{best:.4f}")
PY
}

OURS_OPEN=$(best "$BENCH" open "$WORK/big.jpg")
DJPEG=$(best sh -c "djpeg -bmp '$WORK/big.jpg' >/dev/null")
DJPEG_PPM=$(best djpeg -outfile /dev/null "$WORK/big.jpg")
# Each run writes a new file, as a conversion usually does (replacing a file also syncs it).
CLI_SAVE=$(best sh -c "rm -f '$WORK/cli.jpg'; exec '$BUILD/tolmena-cli' --set Param1=75 --set Param2=3 jpeg '$WORK/big.bmp' '$WORK/cli.jpg'")
CJPEG_BMP=$(best sh -c "rm -f '$WORK/cjpeg.jpg'; exec cjpeg -quality 75 -sample 2x2 -optimize -outfile '$WORK/cjpeg.jpg' '$WORK/big.bmp'")
OURS_SAVE=$("$BENCH" save "$WORK/big.jpg" "$WORK/ours.jpg" "$RUNS" | awk '{print $2}')
CJPEG=$(best cjpeg -quality 75 -sample 2x2 -optimize -outfile "$WORK/theirs.jpg" "$WORK/big.ppm")
if cmp -s "$WORK/cli.jpg" "$WORK/cjpeg.jpg"; then SAME="byte-identical"; else SAME="different"; fi
PEAK=$("$BENCH" open "$WORK/big.jpg" | sed 's/.*peak \([0-9]*\) KiB.*/\1/')

python3 - "$OURS_OPEN" "$DJPEG" "$OURS_SAVE" "$CJPEG" "$PEAK" "$DJPEG_PPM" "$CLI_SAVE" "$CJPEG_BMP" "$SAME" <<'PY'
import sys
open_, djpeg, save, cjpeg, peak, djpeg_ppm, cli_save, cjpeg_bmp = map(float, sys.argv[1:9])
same = sys.argv[9]
picture = 6000 * 4000 * 3
print(f"open  {open_:.3f} s   djpeg -bmp      {djpeg:.3f} s   ratio {open_ / djpeg:.2f} (target <= 1.3)")
print(f"open  {open_:.3f} s   djpeg (PPM)     {djpeg_ppm:.3f} s   ratio {open_ / djpeg_ppm:.2f} (target <= 1.3)")
print(f"BMP to JPEG: tolmena-cli jpeg {cli_save:.3f} s   cjpeg -optimize {cjpeg_bmp:.3f} s   ratio {cli_save / cjpeg_bmp:.2f} (target <= 1.05), outputs {same}")
print(f"save  {save:.3f} s   cjpeg -optimize {cjpeg:.3f} s   ratio {save / cjpeg:.2f} (target <= 1.2)")
print(f"peak  {peak / 1024:.1f} MiB while opening = {peak * 1024 / picture:.2f} x width x height x 3 (target <= 2.5)")
PY
