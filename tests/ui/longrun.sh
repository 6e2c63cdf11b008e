#!/usr/bin/env bash
# Long run of the real program on a virtual X display: random but reproducible user events
# (clicks, drags, right clicks, keys, typed text, F1) go to whatever windows of the program
# show, help included, with all ten conversion windows chosen at start. After every batch each
# window must answer a ping from its event loop; at the end the program must not have died by
# a signal or an error status, and its log (with that of the help viewer) must hold no
# sanitizer report. A program that the events end (quit, 終了) is started again.
#   longrun.sh MEZURA MEZURA_HELP HELPFILE XPING
# LONGRUN_SEED (default 1), LONGRUN_EVENTS (default 3000) and LONGRUN_SECONDS (default 170)
# bound the run: it stops at whichever limit comes first, and says how far it went.
set -u

mezura=$1
help=$2
helpfile=$3
xping=$4
seed=${LONGRUN_SEED:-1}
events=${LONGRUN_EVENTS:-3000}
seconds=${LONGRUN_SECONDS:-170}
prefix='ヨモギの単位計算'
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:halt_on_error=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed"
    exit 77
fi
command -v xdotool >/dev/null 2>&1 || { echo "FAIL: xdotool is not installed"; exit 1; }

. "$(dirname "$0")/../../scripts/xvfb.sh"
begin_session # the help viewer ends with the program, when its input closes
program=$work/program
fail() {
    echo "FAIL: $1 (seed $seed, event $done_events)"
    tail -n 60 "$work/mezura.log"
    exit 1
}
mkdir "$program"
cp "$mezura" "$program/mezura"
cp "$help" "$program/mezura-help"
cp "$helpfile" "$program/Mezura.chm"
printf '1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n1\r\n' >"$program/Mezura.cfg"
start_xvfb "$work" || { echo "FAIL: no virtual display"; exit 1; }

starts=0
done_events=0
start_mezura() {
    (cd "$work" && exec "$program/mezura" >>"$work/mezura.log" 2>&1) &
    app_pid=$!
    starts=$((starts + 1))
    wait_window "^${prefix}－設定\$" "$app_pid" >/dev/null || fail "no settings window after start $starts"
}
# The program ended: by the user (status 0), it starts again; by a fault, the run fails.
check_alive() {
    kill -0 "$app_pid" 2>/dev/null && return 0
    wait "$app_pid"
    local status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "mezura ended with status $status"
    start_mezura
}
windows=()
declare -A sizes
# The program's visible windows and their sizes, looked up anew now and then.
refresh_windows() {
    local id geometry
    mapfile -t windows < <(xdotool search --onlyvisible --name "^${prefix}" 2>/dev/null)
    sizes=()
    for id in "${windows[@]}"; do
        geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null | awk '/Geometry/ {print $2}')
        sizes[$id]=${geometry:-0x0}
    done
}
check_answers() {
    local id status
    refresh_windows
    for id in "${windows[@]}"; do
        "$xping" "$id" 20000
        status=$?
        [ "$status" -eq 1 ] || continue
        # A program that ended while asked (a quit among the last events) is check_alive's to judge.
        kill -0 "$app_pid" 2>/dev/null || continue
        fail "window $id ($(xdotool getwindowname "$id" 2>/dev/null)) does not answer"
    done
}
check_log() {
    if grep -qE 'ERROR: (Address|Leak)Sanitizer|runtime error:|AddressSanitizer:DEADLYSIGNAL' "$work/mezura.log"; then
        fail "a sanitizer report"
    fi
}

RANDOM=$seed
keys=(Return Tab Escape F1 Up Down Left Right Page_Up Page_Down Home End BackSpace Delete space shift+Tab alt+h alt+s)
texts=(1 0 12.5 -3 1E300 1E-300 1e999 '&H7FFF' '&O17' 2D3 abc 9999999999999999 ' - 1 2' 0.000001 . - E 1,5)
start_mezura
began=$SECONDS
while [ "$done_events" -lt "$events" ] && [ $((SECONDS - began)) -lt "$seconds" ]; do
    if [ $((done_events % 25)) -eq 0 ]; then
        check_alive
        refresh_windows
    fi
    if [ ${#windows[@]} -eq 0 ]; then
        refresh_windows
        [ ${#windows[@]} -eq 0 ] && { sleep 0.2; continue; }
    fi
    id=${windows[RANDOM % ${#windows[@]}]}
    size=${sizes[$id]:-0x0}
    width=${size%x*}
    height=${size#*x}
    [ "$width" -gt 0 ] && [ "$height" -gt 0 ] || { width=1; height=1; }
    x=$((RANDOM % width))
    y=$((RANDOM % height))
    # Keys and text go where the focus is, as from the keyboard.
    case $((RANDOM % 10)) in
    0 | 1 | 2) xdotool mousemove --window "$id" "$x" "$y" mousedown 1 mouseup 1 ;;
    3) xdotool mousemove --window "$id" "$x" "$y" mousedown 3 mouseup 3 ;;
    4) xdotool mousemove --window "$id" "$x" "$y" mousedown 1 mousemove --window "$id" $((RANDOM % width)) "$y" mouseup 1 ;;
    5 | 6) xdotool windowfocus "$id" key "${keys[RANDOM % ${#keys[@]}]}" ;;
    7 | 8) xdotool mousemove --window "$id" "$x" "$y" mousedown 1 mouseup 1 windowfocus "$id" type --delay 1 "${texts[RANDOM % ${#texts[@]}]}" ;;
    9) xdotool windowfocus "$id" key F1 ;;
    esac >/dev/null 2>&1
    done_events=$((done_events + 1))
    if [ $((done_events % 250)) -eq 0 ]; then
        check_alive
        check_answers
        check_log
    fi
done
check_alive
check_answers
check_log
helps=$(xdotool search --name "^${prefix}－ヘルプ" 2>/dev/null | wc -l)
echo "PASS: $done_events events (seed $seed) in $((SECONDS - began)) s, $starts starts of the program," \
    "$(grep -c '^' "$work/mezura.log") lines of log, $helps help windows at the end"
