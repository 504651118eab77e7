#!/usr/bin/env bash
# Runs every tolmena-cli example of the README, the manual's command-line page and the man page,
# with their file names pointed at test pictures: each must succeed, print what its comment says
# it prints ('prints "..."', '"..." と表示'), and the Qf figures the README gives must be what files of that
# quality read.
# Usage: examples.sh PATH/TO/tolmena-cli SOURCE_DIR
set -euo pipefail
cli=$(realpath "$1")
source_dir=$(realpath "$2")
data=$source_dir/tests/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config LC_ALL=C
cd "$work"

# The file names the examples use.
cp "$data/exif/canon_40d.jpg" photo.jpg
cp "$data/exif/fujifilm_finepix_e500.jpg" in.jpg
cp in.jpg a.jpg
cp "$data/bmp/g/pal8.bmp" in.bmp
cp in.bmp scan.bmp
cp "$data/png/pngsuite/basn2c08.png" in.png
cp in.png scan.png
cp in.png b.png
printf '\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x52\x83\x81\x83\x93\x83\x67\n' >comment.txt
mkdir photos out thumbs
cp photo.jpg in.jpg photos/

# "    tolmena-cli ..." in the README, lines of <pre> in the manual, .nf blocks in the man page;
# synopsis lines (COMMAND, [ARGS]) are not examples.
examples() {
    # A line of the README holding only a comment continues the example above it.
    awk '/^    tolmena-cli / { if (line) print line; line = substr($0, 5); next }
         line && /^ +# / { sub(/^ +/, " "); line = line $0; next }
         { if (line) print line; line = "" }
         END { if (line) print line }' "$source_dir/README.md"
    sed -n '/<pre>/,/<\/pre>/p' "$source_dir/docs/manual/ja/cli.html" | grep '^tolmena-cli '
    sed -n '/^\.nf/,/^\.fi/p' "$source_dir/docs/man/tolmena-cli.1" | sed 's/\\-/-/g' |
        grep '^tolmena-cli '
}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

while IFS= read -r line; do
    case $line in *COMMAND*) continue ;; esac
    command=${line%%#*}
    comment=${line#"$command"}
    read -r -a words <<<"${command#tolmena-cli}"
    if ! output=$("$cli" "${words[@]}" 2>"$work/err"); then
        fail "$command: $(cat "$work/err")"
        continue
    fi
    if [[ $comment =~ prints\ \"([^\"]*)\" || $comment =~ \"([^\"]*)\"\ と表示 ]] &&
        [[ $output != "${BASH_REMATCH[1]}" ]]; then
        fail "$command printed '$output', not '${BASH_REMATCH[1]}'"
    fi
done < <(examples)

# "a file written at quality 75 reads about `Qf=86.1`"
while read -r quality figure; do
    "$cli" --set Param1="$quality" jpeg in.png "q$quality.jpg" >/dev/null
    description=$("$cli" describe "q$quality.jpg")
    [[ $description == *" Qf=$figure" ]] || fail "quality $quality reads '$description', not Qf=$figure"
done < <(tr -s '\n ' '  ' <"$source_dir/README.md" |
    grep -o 'quality [0-9]* reads about `Qf=[0-9.]*`' | sed 's/quality \([0-9]*\) reads about `Qf=\([0-9.]*\)`/\1 \2/')

[ "$failures" -eq 0 ] || exit 1
echo "every example ran as documented"
