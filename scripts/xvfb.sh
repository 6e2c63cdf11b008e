# Helpers for running the program on a virtual X display; sourced by scripts/screenshot.sh
# and the smoke test.

# start_xvfb DIR: starts Xvfb on a free display (1024x768, 24 bits, 96 dpi; no reset when the
# last program leaves, so that the next one can connect at once), exports DISPLAY
# and sets xvfb_pid. Fails when the server is not up within 10 s.
start_xvfb() {
    local dir=$1
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        if [ -s "$dir/display" ]; then
            export DISPLAY=":$(head -n1 "$dir/display")"
            return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    cat "$dir/xvfb.log" >&2
    return 1
}

# wait_window REGEX PID: prints the id of the first visible window whose title matches REGEX,
# waiting up to 20 s while process PID runs.
wait_window() {
    local id
    for _ in $(seq 200); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$2" 2>/dev/null || break
        sleep 0.1
    done
    echo "no window matching $1" >&2
    return 1
}

# wait_gone ID PID: waits up to 10 s until window ID is no longer visible while process PID
# runs; fails when it still shows.
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qx "$1" || return 0
        kill -0 "$2" 2>/dev/null || return 0
        sleep 0.1
    done
    echo "window $1 still shows" >&2
    return 1
}

# begin_session: a fresh work directory ($work) for a script that runs the program; at exit
# the program ($app_pid) and the display ($xvfb_pid) are stopped and the directory removed.
begin_session() {
    work=$(mktemp -d)
    xvfb_pid=
    app_pid=
    trap 'stop_process "$app_pid"; stop_process "$xvfb_pid"; rm -rf "$work"' EXIT
}

# stop_process PID: ends a process this script started and waits for it.
stop_process() {
    if [ -n "$1" ]; then
        kill "$1" 2>/dev/null || true
        wait "$1" 2>/dev/null || true
    fi
}
