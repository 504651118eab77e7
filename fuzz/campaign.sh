#!/usr/bin/env bash
# Fuzzing campaign: builds the fuzz targets (clang, ASan/UBSan, the library instrumented), runs
# each named target for N minutes with its seed corpus and dictionary in fork mode (a finding is
# saved and the run goes on), then merges the inputs that add coverage back into
# fuzz/corpus/<target>. Findings land in build-fuzz/campaign/<target>/findings. Each run appends
# a line (date, target, CPU minutes, runs, coverage, findings) to fuzz/ledger.tsv, which is kept
# in the repository so that the CPU time given to each target adds up across machines and days.
#
#   fuzz/campaign.sh TARGET[:MINUTES]... [--minutes N] [--no-build]
#   fuzz/campaign.sh png:16 bmp:32     a run length per target (others take --minutes)
#   fuzz/campaign.sh all --minutes 60
#   fuzz/campaign.sh --totals          CPU minutes and runs per target so far
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
ledger="$root/fuzz/ledger.tsv"
# Sums the ledger per target: CPU minutes, runs, the latest coverage, findings.
totals() {
    printf "%-14s %8s %12s %6s %8s\n" target cpu-min runs cov findings
    awk -F'\t' 'NR > 1 { cpu[$2] += $3; runs[$2] += $4; cov[$2] = $5; found[$2] += $6 }
        END { for (t in cpu) printf "%-14s %8.1f %12d %6s %8d\n", t, cpu[t], runs[t], cov[t], found[t] }' \
        "$ledger" | sort
}

minutes=10
build_first=1
targets=()

while [ $# -gt 0 ]; do
    case "$1" in
    --minutes) minutes="$2"; shift 2 ;;
    --no-build) build_first=0; shift ;;
    -h | --help) sed -n '2,12p' "$0"; exit 0 ;;
    --totals) totals; exit 0 ;;
    all)
        for source in "$root"/fuzz/fuzz_*.cpp; do
            name=$(basename "$source" .cpp)
            targets+=("${name#fuzz_}")
        done
        shift ;;
    *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || { echo "usage: $0 TARGET[:MINUTES]... [--minutes N] [--no-build]" >&2; exit 2; }
# Splits each TARGET[:MINUTES] once into names[i] and run_minutes[i]. The minutes are read as
# decimal (10#), so "08" is 8 and not an octal error later in the shell arithmetic.
names=()
run_minutes=()
for target in "${targets[@]}"; do
    name=${target%%:*}
    length=$minutes
    [ "$name" = "$target" ] || length=${target#*:}
    [ -f "$root/fuzz/fuzz_$name.cpp" ] || { echo "no fuzz target: $name" >&2; exit 2; }
    [[ "$length" =~ ^[0-9]+$ ]] && [ "$((10#$length))" -gt 0 ] ||
        { echo "$target: the minutes must be a whole number above 0" >&2; exit 2; }
    names+=("$name")
    run_minutes+=("$((10#$length))")
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
    webp) echo webp exif ;;
    heif) echo heif exif ;;
    jxl) echo jxl exif ;;
    esac
}

build_targets() {
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTOLMENA_SANITIZE=ON \
        -DTOLMENA_FUZZ=ON -DTOLMENA_GUI=OFF >/dev/null
    nice -n 19 cmake --build "$build" -j2 --target "${names[@]/#/fuzz_}"
}

# Appends the run to the ledger: the CPU time of the fork-mode parent and its jobs, and the
# last status line of the log ("#RUNS: cov: C ft: F ...").
record() {
    local target="$1" log="$2" findings="$3" times="$4"
    local status runs cov cpu found
    status=$(grep -a -E '^#[0-9]+: cov:' "$log" | tail -n 1 || true)
    runs=$(sed -E 's/^#([0-9]+):.*/\1/' <<<"${status:-#0:}")
    cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$status")
    cpu=$(awk 'END { printf "%.1f", ($1 + $2) / 60 }' "$times")
    found=$(find "$findings" -maxdepth 1 -type f -newer "$times.start" | wc -l)
    [ -f "$ledger" ] || printf 'date\ttarget\tcpu_minutes\truns\tcoverage\tfindings\n' >"$ledger"
    printf '%s\t%s\t%s\t%s\t%s\t%s\n' "$(date -u +%FT%TZ)" "$target" "$cpu" "${runs:-0}" \
        "${cov:-?}" "$found" | tee -a "$ledger"
}

# A timeout or slow unit that runs in time when replayed alone came from a stalled machine (the
# run paused or starved of CPU), not from the input: it is moved to findings/not-reproduced.
recheck_slow_units() {
    local target="$1" findings="$2" unit
    for unit in "$findings"/timeout-* "$findings"/slow-unit-*; do
        [ -f "$unit" ] || continue
        if timeout 60 "$build/fuzz/fuzz_$target" -timeout=10 "$unit" >/dev/null 2>&1; then
            mkdir -p "$findings/not-reproduced"
            mv "$unit" "$findings/not-reproduced/"
        fi
    done
}

run_target() {
    local target="$1" minutes="$2"
    local work="$build/campaign/$target"
    local fresh="$work/corpus" findings="$work/findings" dict="$work/all.dict"
    mkdir -p "$fresh" "$findings"
    : >"$dict"
    local dictionary
    for dictionary in $(dictionaries_of "$target"); do
        cat "$root/fuzz/dict/$dictionary.dict" >>"$dict"
    done
    # One fork job at a time keeps to one core (-jobs would also divert the log to fuzz-0.log).
    local options=(-fork=1 -ignore_crashes=1 -ignore_ooms=1 -ignore_timeouts=1
        -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048
        -artifact_prefix="$findings/" -print_final_stats=1)
    [ -s "$dict" ] && options+=(-dict="$dict")
    echo "== $target: $minutes minutes"
    touch "$work/times.start"
    (cd "$work" && /usr/bin/time -f '%U %S' -o "$work/times" nice -n 19 \
        "$build/fuzz/fuzz_$target" "${options[@]}" "$fresh" \
        "$root/fuzz/corpus/$target" >"$work/run.log" 2>&1) || true
    recheck_slow_units "$target" "$findings"
    record "$target" "$work/run.log" "$findings" "$work/times"
    # Only inputs that reach new edges join the kept seeds (hit counts would keep hundreds).
    nice -n 19 "$build/fuzz/fuzz_$target" -merge=1 -use_counters=0 -timeout=10 \
        "$root/fuzz/corpus/$target" \
        "$fresh" >"$work/merge.log" 2>&1 || echo "merge failed: see $work/merge.log" >&2
}

[ "$build_first" = 1 ] && build_targets
mkdir -p "$build/campaign"
for i in "${!names[@]}"; do
    run_target "${names[$i]}" "${run_minutes[$i]}"
done
