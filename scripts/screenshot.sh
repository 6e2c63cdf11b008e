#!/usr/bin/env bash
# Screenshot of one window of the program on a virtual X display.
#
#   scripts/screenshot.sh [--mezura PATH] [--open NAME]... WINDOW OUT.png [XDOTOOL-COMMAND...]
#
# WINDOW is a window's module name (temp, length, ... config, help) or the end of its title
# ("温度"). The program is PATH, else $MEZURA, else build-ui/mezura; it runs from a copy in a
# temporary program directory, with the help file beside it and a settings file that opens
# WINDOW (when it is a conversion window) and every window NAME given with --open. The
# settings window shows at every start; for a shot of another window it is first dismissed
# with Esc. Each XDOTOOL-COMMAND is one xdotool command line, run in order, with %S standing
# for the first conversion window opened (else the settings window), for example
#   scripts/screenshot.sh temp docs/temp.png "windowfocus --sync %S" "type 100" "key Return"
#   scripts/screenshot.sh --open temp help docs/help.png "windowfocus --sync %S" "key F1"
set -euo pipefail
. "$(dirname "$0")/on-error.sh"

root=$(cd "$(dirname "$0")/.." && pwd)
mezura=${MEZURA:-$root/build-ui/mezura}
opened=()
while [ $# -gt 0 ]; do
    case $1 in
        --mezura) mezura=$2; shift 2 ;;
        --open) opened+=("$2"); shift 2 ;;
        *) break ;;
    esac
done
if [ $# -lt 2 ]; then
    sed -n '2,15s/^# \{0,1\}//p' "$0" >&2
    exit 2
fi
window=$1
out=$2
shift 2
input=("$@")

conversion=(length square cubic weight velocity press heat temp radio year)
caption_of() {
    case $1 in
        length) echo 長さ ;; square) echo 面積 ;; cubic) echo 体積 ;; weight) echo 重さ ;;
        velocity) echo 速度 ;; press) echo 圧力 ;; heat) echo 熱量 ;; temp) echo 温度 ;;
        radio) echo 壊変率 ;; year) echo 年号 ;; config) echo 設定 ;; help) echo ヘルプ ;;
        *) echo "$1" ;;
    esac
}
prefix='ヨモギの単位計算－'
caption=$(caption_of "$window")
title="${prefix}${caption#"$prefix"}"
for name in "${conversion[@]}"; do
    [ "$name" = "$window" ] && opened=("$window" "${opened[@]}")
done

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshot: $tool is not installed" >&2; exit 1; }
done
[ -x "$mezura" ] || { echo "screenshot: no program at $mezura" >&2; exit 1; }
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM

. "$root/scripts/xvfb.sh"
begin_session

# The program directory: the program, its help viewer and help file, and a settings file of
# our own.
mkdir "$work/program"
cp "$mezura" "$work/program/mezura"
help_file="$(dirname "$mezura")/Mezura.chm"
[ -f "$help_file" ] && cp "$help_file" "$work/program/"
help_viewer="$(dirname "$mezura")/mezura-help"
[ -f "$help_viewer" ] && cp "$help_viewer" "$work/program/"
if [ ${#opened[@]} -gt 0 ]; then
    for name in "${conversion[@]}"; do
        line=0
        for open in "${opened[@]}"; do
            [ "$open" = "$name" ] && line=1
        done
        printf '%s\r\n' "$line"
    done >"$work/program/Mezura.cfg"
fi

start_xvfb "$work"
"$work/program/mezura" >"$work/mezura.log" 2>&1 &
app_pid=$!
# What the program said, then the step that failed.
trap 'status=$?; cat "$work/mezura.log" >&2; report_failure $status $LINENO "$BASH_COMMAND"' ERR

settings=$(wait_window "^${prefix}設定\$" "$app_pid")
first=$settings
if [ ${#opened[@]} -gt 0 ]; then
    first=$(wait_window "^${prefix}$(caption_of "${opened[0]}")\$" "$app_pid")
fi
if [ "$window" != config ]; then
    xdotool windowfocus --sync "$settings" key Escape
    wait_gone "$settings" "$app_pid"
fi
for command in "${input[@]}"; do
    read -r -a words <<<"${command//%S/$first}"
    xdotool "${words[@]}"
    sleep 0.2
done
# The help window adds the title of its page to its own.
target=$(wait_window "^${title}(－.*)?\$" "$app_pid")
sleep 0.5 # let the last repaint land
mkdir -p "$(dirname "$out")"
import -window "$target" "$out"
echo "screenshot: $title -> $out"
