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
