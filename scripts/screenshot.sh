#!/usr/bin/env bash
# Screenshot of one window of the program on a virtual X display.
#
#   scripts/screenshot.sh [--mezura PATH] WINDOW OUT.png [XDOTOOL-COMMAND...]
#
# WINDOW is a window's module name (temp, length, ... config) or the end of its title
# ("温度"). The program is PATH, else $MEZURA, else build-ui/mezura. Each XDOTOOL-COMMAND
# is one xdotool command line, run in order once the program's first window shows, with %S
# standing for that window, for example
#   scripts/screenshot.sh temp docs/temp.png "windowfocus --sync %S" "type 100" "key Return"
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
mezura=${MEZURA:-$root/build-ui/mezura}
if [ "${1:-}" = "--mezura" ]; then
    mezura=$2
    shift 2
fi
if [ $# -lt 2 ]; then
    sed -n '2,11s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
window=$1
out=$2
shift 2
input=("$@")

case $window in
    length) caption=長さ ;; square) caption=面積 ;; cubic) caption=体積 ;; weight) caption=重さ ;;
    velocity) caption=速度 ;; press) caption=圧力 ;; heat) caption=熱量 ;; temp) caption=温度 ;;
    radio) caption=壊変率 ;; year) caption=年号 ;; config) caption=設定 ;;
    *) caption=$window ;;
esac
prefix='ヨモギの単位計算－'
title="${prefix}${caption#"$prefix"}"

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool is not installed" >&2; exit 1; }
done
[ -x "$mezura" ] || { echo "screenshot: no program at $mezura" >&2; exit 1; }
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

. "$root/scripts/xvfb.sh"
work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    stop_process "$app_pid"
    stop_process "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT

start_xvfb "$work"
"$mezura" >"$work/mezura.log" 2>&1 &
app_pid=$!
trap 'cat "$work/mezura.log" >&2' ERR

first=$(wait_window "^${prefix}" "$app_pid")
for command in "${input[@]}"; do
    read -r -a words <<<"${command//%S/$first}"
    xdotool "${words[@]}"
    sleep 0.2
done
target=$(wait_window "^${title}\$" "$app_pid")
sleep 0.3 # let the last repaint land
mkdir -p "$(dirname "$out")"
import -window "$target" "$out"
echo "screenshot: $title -> $out"
