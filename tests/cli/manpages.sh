#!/usr/bin/env bash
# The man pages render without warnings, each command's usage line appears whole in
# tolmena-cli(1), and every option the program's help names is documented there.
# Usage: manpages.sh PATH/TO/tolmena-cli SOURCE_DIR
set -euo pipefail
cli=$1
pages=$2/docs/man
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for page in "$pages"/*.1; do
    warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page: $warnings"
done

# The rendered page, one space between words.
rendered=$(MANWIDTH=200 LC_ALL=C.UTF-8 man -l "$pages/tolmena-cli.1" 2>/dev/null | tr -s ' ')
while read -r name synopsis; do
    # "settings [--save] [--section default|bulkconv|bulkfilter]": the page names the choices.
    synopsis=${synopsis//default|bulkconv|bulkfilter/NAME}
    grep -qF -- "$name $synopsis" <<<"$rendered" || fail "usage line '$name $synopsis' missing"
done < <(LC_ALL=C "$cli" --help | grep '^  [a-z]' | sed 's/^  //')

usages=$(LC_ALL=C "$cli" --help | grep -E '^(Usage:|  *tolmena-cli |  [a-z])')
for option in $(grep -oE -- '(^|[[ |])--?[a-z][-a-z]*' <<<"$usages" | tr -d '[ |' | sort -u); do
    grep -qE -- "(^|[][ ,(|])$option([][ ,=|]|$)" <<<"$rendered" || fail "option $option undocumented"
done
[ "$failures" -eq 0 ] || exit 1
echo "man pages clean and complete"
