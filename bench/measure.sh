# Sourced by the benchmark scripts; needs $work, a scratch directory.
# measure LABEL COMMAND...: runs the command (stdout to /dev/null) under /usr/bin/time -v and sets
# SECONDS_<LABEL> (wall clock) and KB_<LABEL> (peak resident memory).
measure() {
    local label=$1
    shift
    /usr/bin/time -v "$@" >/dev/null 2>"$work/$label.time"
    printf -v "SECONDS_$label" '%s' "$(awk -F': ' '/Elapsed/ {print $2}' "$work/$label.time" |
        awk -F: '{print ($1 * 60) + $2}')"
    printf -v "KB_$label" '%s' "$(awk -F': ' '/Maximum resident/ {print $2}' "$work/$label.time")"
}

# camera_jpegs COUNT: $work/src/photo1.jpg ... photoCOUNT.jpg, copies of one 4000x3000 JPEG at
# quality 90 ($work/camera.jpg), unless they are there already.
camera_jpegs() {
    local count=$1
    mkdir -p "$work/src"
    [ -f "$work/src/photo$count.jpg" ] && return 0
    convert -size 4000x3000 gradient:skyblue-darkgreen -attenuate 0.4 +noise Gaussian \
        -blur 0x1 "$work/camera.ppm"
    cjpeg -quality 90 -sample 2x2 "$work/camera.ppm" >"$work/camera.jpg"
    for i in $(seq 1 "$count"); do cp "$work/camera.jpg" "$work/src/photo$i.jpg"; done
}
