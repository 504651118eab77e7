# Sourced by the e2e scripts, which set $e2e_name ("viewer") and $work (a scratch directory)
# first: the clean-up at exit, failing with a screenshot, polling, and an own X server.
xvfb_pid="" viewer_pid="" wm_pid="" bus_pid=""

cleanup() {
    set +e # every step runs, whichever fails
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "e2e.$e2e_name: $*" >&2
    [ -n "${DISPLAY:-}" ] && import -window root "$PWD/e2e-$e2e_name-failure.png" 2>/dev/null &&
        echo "e2e.$e2e_name: the screen at failure is $PWD/e2e-$e2e_name-failure.png" >&2
    exit 1
}

# Polls COMMAND every 0.1 s until it succeeds or SECONDS pass.
poll() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -ge $deadline ] && return 1
        sleep 0.1
    done
}

# Xvfb picks a free display number itself (checking the lock files) and writes it to the pipe
# once it accepts clients, so no other helper's server can be taken for ours.
start_xvfb() {
    mkfifo "$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local number
    read -r -t 20 number <"$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    export DISPLAY=":$number"
}

# A window manager on our X server, as users have one: it frames, places and activates the
# windows and takes Alt with the mouse for itself. Without openbox installed the script goes on
# without one and says so.
start_window_manager() {
    if ! command -v openbox >/dev/null; then
        echo "e2e.$e2e_name: openbox is not installed; running without a window manager" >&2
        return 0
    fi
    openbox >"$work/openbox.log" 2>&1 &
    wm_pid=$!
    poll 10 eval 'xdotool search --class Openbox >/dev/null 2>&1' ||
        fail "openbox did not start: $(cat "$work/openbox.log")"
}

# Waits for the viewer to end after it was told to quit; fails unless it exits with status 0.
expect_clean_exit() {
    poll 30 eval '! kill -0 "$viewer_pid" 2>/dev/null' || fail "the viewer did not exit"
    local status=0
    wait "$viewer_pid" || status=$?
    viewer_pid=""
    [ "$status" -eq 0 ] || fail "the viewer exited with status $status"
}

# A session bus of our own, through which the accessibility bus starts on demand, so that the
# viewer's widgets can be read as a screen reader reads them (needs $XDG_RUNTIME_DIR set).
start_session_bus() {
    local address
    dbus-daemon --session --fork --print-address=1 --print-pid=1 >"$work/dbus" ||
        fail "no session bus"
    address=$(sed -n 1p "$work/dbus")
    bus_pid=$(sed -n 2p "$work/dbus")
    export DBUS_SESSION_BUS_ADDRESS="$address" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

# A fresh profile and runtime folder for the viewer on xcb; leak checking stays on for the
# viewer's own code, but libdbus, which Qt's platform theme loads, leaves a buffer behind at exit
# that is not ours to free.
viewer_environment() {
    mkdir -m 700 "$work/runtime"
    export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
    echo "leak:libdbus-1.so" >"$work/lsan.supp"
    export LSAN_OPTIONS="suppressions=$work/lsan.supp:print_suppressions=0"
}
