#!/usr/bin/env bash
# Runs two builds of tolmena-cli over every picture of a folder tree and compares what they
# print (stdout, stderr, exit status) for describe, info, markers and exif, and the bytes of
# what convert writes as .jpg, .png and .bmp. For a change that must leave behaviour as it was.
#
# Usage: scripts/differential.sh OLD_CLI NEW_CLI [FOLDER]   (default: ../shared/corpora)
# Prints one line per difference and a summary; exits 1 when anything differs.
set -uo pipefail
old=$(realpath "$1")
new=$(realpath "$2")
root=$(realpath "${3:-$(dirname "$0")/../../shared/corpora}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" LANG=C.UTF-8
mkdir -p "$HOME"
: >"$work/profile.ini"

# run CLI TAG ARGS...: output of one run in $work/TAG.{out,err,rc}, with the output file if any.
run() {
    local cli=$1 tag=$2
    shift 2
    (cd "$work" && "$cli" --profile "$work/profile.ini" "$@" >"$work/$tag.out" 2>"$work/$tag.err")
    echo $? >"$work/$tag.rc"
}

runs=0
differences=0
compare() {  # compare WHAT FILE ARGS...: both builds, the same arguments
    local what=$1 file=$2
    shift 2
    rm -f "$work"/out.*
    run "$old" old "$@"
    local written
    written=$(ls "$work"/out.* 2>/dev/null | head -1)
    [ -n "$written" ] && mv "$written" "$work/old.file"
    run "$new" new "$@"
    written=$(ls "$work"/out.* 2>/dev/null | head -1)
    [ -n "$written" ] && mv "$written" "$work/new.file"
    runs=$((runs + 1))
    local part
    for part in out err rc file; do
        if [ -e "$work/old.$part" ] || [ -e "$work/new.$part" ]; then
            if ! cmp -s "$work/old.$part" "$work/new.$part"; then
                echo "differs ($part): $what $file"
                differences=$((differences + 1))
                break
            fi
        fi
    done
    rm -f "$work"/old.* "$work"/new.*
}

while IFS= read -r -d '' file; do
    for command in describe info markers exif; do
        compare "$command --json" "$file" "$command" --json "$file"
    done
    for extension in jpg png bmp; do
        compare "convert .$extension" "$file" convert "$file" "$work/out.$extension"
    done
done < <(find "$root" -type f \( -iname '*.jpg' -o -iname '*.jpeg' -o -iname '*.png' \
    -o -iname '*.bmp' -o -iname '*.tif' -o -iname '*.tiff' -o -iname '*.mag' -o -iname '*.ppm' \
    -o -iname '*.pgm' -o -iname '*.pbm' -o -iname '*.rgb' \) -print0 | sort -z)

echo "$runs runs, $differences differences"
[ "$differences" -eq 0 ]
