#!/usr/bin/env bash
# describe of 200 camera-size JPEGs from their headers, against the full open that info makes;
# describe --json reads the same headers and should stay within 1.5 x describe.
#   bench/describe.sh [WORKDIR]
# tolmena-cli is a release build: TOLMENA_CLI, or build-release/tolmena-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$(mktemp -d)}
cli=${TOLMENA_CLI:-$root/build-release/tolmena-cli}
files=${FILES:-200}
[ -x "$cli" ] || { echo "no tolmena-cli at $cli" >&2; exit 1; }
export XDG_CONFIG_HOME="$work/config"
source "$root/bench/measure.sh"
camera_jpegs "$files"

measure headers "$cli" describe "$work"/src/*.jpg
measure json "$cli" describe --json "$work"/src/*.jpg
measure full "$cli" info "$work"/src/*.jpg
echo "describe (headers): ${SECONDS_headers} s, ${KB_headers} KB"
echo "describe --json:    ${SECONDS_json} s, ${KB_json} KB"
echo "info (full open):   ${SECONDS_full} s, ${KB_full} KB"
awk -v a="$SECONDS_json" -v b="$SECONDS_headers" \
    'BEGIN { r = a / (b > 0 ? b : 0.01); printf "describe --json / describe: %.2fx (%s)\n", r, r <= 1.5 ? "within 1.5x" : "OVER 1.5x" }'
awk -v a="$SECONDS_full" -v b="$SECONDS_headers" 'BEGIN { printf "ratio: %.0fx\n", a / (b > 0 ? b : 0.01) }'
