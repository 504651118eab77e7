#!/usr/bin/env bash
# Checks the C++ files of src/, tests/, fuzz/ and bench/ against the root .clang-format: names
# every file clang-format would change, then their count, and fails when there is one.
# Usage: check-format.sh [SOURCE_DIR]; CLANG_FORMAT names another clang-format binary.
set -uo pipefail
cd "${1:-$(dirname "$0")/..}" || exit 2
clang_format=${CLANG_FORMAT:-clang-format}
if ! command -v "$clang_format" >/dev/null; then
    echo "check-format: $clang_format not found" >&2
    exit 2
fi
files=()
while IFS= read -r -d '' file; do files+=("$file"); done < <(
    find src tests fuzz bench -path tests/data -prune -o \
         -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
# One run over all files; each violation is reported as "FILE:LINE:COLUMN: error: ...".
report=$("$clang_format" --dry-run -Werror "${files[@]}" 2>&1 >/dev/null)
status=$?
flagged=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: error:' <<<"$report" | cut -d: -f1 | sort -u)
[ -n "$flagged" ] && echo "$flagged"
count=$(grep -c . <<<"$flagged")
echo "$count of ${#files[@]} files differ from .clang-format"
[ "$status" -eq 0 ] && [ "$count" -eq 0 ]
