#!/usr/bin/env bash
# Fuzzing campaign: builds the fuzz targets (clang, ASan/UBSan, the library instrumented), runs
# each named target for N minutes with its seed corpus and dictionary in fork mode (a finding is
# saved and the run goes on), then merges the inputs that add coverage back into
# fuzz/corpus/<target>. Findings land in build-fuzz/campaign/<target>/findings; a summary line
# per target (runs, coverage, findings) is appended to build-fuzz/campaign/summary.txt.
#
#   fuzz/campaign.sh TARGET... [--minutes N] [--no-build]
#   fuzz/campaign.sh all --minutes 60
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
minutes=10
build_first=1
targets=()

while [ $# -gt 0 ]; do
    case "$1" in
    --minutes) minutes="$2"; shift 2 ;;
    --no-build) build_first=0; shift ;;
    -h | --help) sed -n '2,9p' "$0"; exit 0 ;;
    all)
        for source in "$root"/fuzz/fuzz_*.cpp; do
            name=$(basename "$source" .cpp)
            targets+=("${name#fuzz_}")
        done
        shift ;;
    *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || { echo "usage: $0 TARGET... [--minutes N] [--no-build]" >&2; exit 2; }
for target in "${targets[@]}"; do
    [ -f "$root/fuzz/fuzz_$target.cpp" ] || { echo "no fuzz target: $target" >&2; exit 2; }
done

# The dictionaries a target's inputs draw on.
dictionaries_of() {
    case "$1" in
    jpeg | segments | filters | marker_tree) echo jpeg exif ;;
    exif) echo exif jpeg ;;
    tiff) echo tiff exif ;;
    png | png_chunks) echo png ;;
    bmp | dib) echo bmp ;;
    dqt) echo dqt ;;
    esac
}

build_targets() {
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOLMENA_SANITIZE=ON \
        -DTOLMENA_FUZZ=ON -DTOLMENA_GUI=OFF >/dev/null
    nice -n 10 cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}"
}

# The last status line of a fork-mode log: "#runs: cov: C ft: F corp: ... crash: a/b/c ...".
summarise() {
    local target="$1" log="$2" findings="$3"
    local status
    status=$(grep -a -E '^#[0-9]+: cov:' "$log" | tail -n 1 || true)
    printf '%s %s minutes=%s findings=%s %s\n' "$(date -u +%FT%TZ)" "$target" "$minutes" \
        "$(find "$findings" -type f | wc -l)" "${status:-no status line}"
}

run_target() {
    local target="$1"
    local work="$build/campaign/$target"
    local fresh="$work/corpus" findings="$work/findings" dict="$work/all.dict"
    mkdir -p "$fresh" "$findings"
    : >"$dict"
    for name in $(dictionaries_of "$target"); do
        cat "$root/fuzz/dict/$name.dict" >>"$dict"
    done
    # One fork job at a time keeps to one core (-jobs would also divert the log to fuzz-0.log).
    local options=(-fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1
        -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048
        -artifact_prefix="$findings/" -print_final_stats=1)
    [ -s "$dict" ] && options+=(-dict="$dict")
    echo "== $target: $minutes minutes"
    (cd "$work" && nice -n 10 "$build/fuzz/fuzz_$target" "${options[@]}" "$fresh" \
        "$root/fuzz/corpus/$target" >"$work/run.log" 2>&1) || true
    summarise "$target" "$work/run.log" "$findings" | tee -a "$build/campaign/summary.txt"
    # Only inputs that reach new edges join the kept seeds (hit counts would keep hundreds).
    nice -n 10 "$build/fuzz/fuzz_$target" -merge=1 -use_counters=0 -timeout=10 \
        "$root/fuzz/corpus/$target" \
        "$fresh" >"$work/merge.log" 2>&1 || echo "merge failed: see $work/merge.log" >&2
}

[ "$build_first" = 1 ] && build_targets
mkdir -p "$build/campaign"
for target in "${targets[@]}"; do
    run_target "$target"
done
