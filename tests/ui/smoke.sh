#!/usr/bin/env bash
# Smoke test of the real program on a virtual X display: the temperature window appears
# with the size that its 3435 x 2280 twips give at the display's resolution.
#   smoke.sh MEZURA PROBE
set -u

mezura=$1
probe=$2
title='ヨモギの単位計算－温度'
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

if ! command -v Xvfb >/dev/null 2>&1; then
    echo "SKIP: Xvfb is not installed"
    exit 77
fi
for tool in xdotool xwininfo; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is not installed"; exit 1; }
done

. "$(dirname "$0")/../../scripts/xvfb.sh"
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    stop_process "$app_pid"
    stop_process "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $1"
    [ -f "$work/mezura.log" ] && cat "$work/mezura.log"
    exit 1
}

start_xvfb "$work" || fail "no virtual display"
"$mezura" >"$work/mezura.log" 2>&1 &
app_pid=$!
window=$(wait_window "^${title}\$" "$app_pid") || fail "no window named $title"

# The size the program gives that window on this display, from the same mapping.
expected=$(timeout 30 "$probe") || fail "the probe failed"
actual=
for _ in $(seq 50); do # the window may still settle right after it appears
    info=$(xwininfo -id "$window")
    actual="$(awk '/ Width:/ {print $2}' <<<"$info")x$(awk '/ Height:/ {print $2}' <<<"$info")"
    [ "$actual" = "$expected" ] && break
    sleep 0.1
done
echo "display $DISPLAY, window $window: $actual, expected $expected"
[ "$actual" = "$expected" ] || fail "the window's size differs"
kill -0 "$app_pid" 2>/dev/null || fail "mezura ended"
echo "PASS"
