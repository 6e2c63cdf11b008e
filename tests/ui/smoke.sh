#!/usr/bin/env bash
# Smoke test of the real program on a virtual X display. The program runs from a copy in a
# temporary program directory, so that no settings file of the build directory counts and
# none is left behind.
# 0. Without a display: --version, --help, and a wrong option refused with status 2.
# 1. No settings file: only the settings window appears, with the size that its twips give
#    at the display's resolution; Esc then is refused (the window stays, nothing is written),
#    and a click on "quit" saves the boxes and ends the program.
# 2. A settings file that chooses the temperature window: it appears as well, the settings
#    window in front of it; Esc hides the settings window only, and the file stays as it was.
# 3. 全て from that window's menu: the ten conversion windows show, the last of them (年号)
#    in front, and the focus is in that window, not in one that the display mapped later.
# 4. The help viewer never outlives the program: F1 starts it, and however the program then
#    ends (SIGTERM, SIGKILL, with the viewer running or stopped), the viewer goes too.
# 5. The windows' font is the desktop's Japanese sans-serif: its general font where that
#    covers Japanese, else fontconfig's sans-serif for Japanese, else IPAPGothic.
#   smoke.sh MEZURA PROBE MEZURA_HELP
set -u

mezura=$1
probe=$2
help=$3
prefix='ヨモギの単位計算－'
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
begin_session
program=$work/program
fail() {
    echo "FAIL: $1"
    [ -f "$work/mezura.log" ] && cat "$work/mezura.log"
    exit 1
}
start_mezura() {
    "$program/mezura" >"$work/mezura.log" 2>&1 &
    app_pid=$!
}
# The program's visible windows, top-most first.
visible_windows() {
    local shown
    shown=$(xdotool search --onlyvisible --name "^${prefix}" 2>/dev/null)
    xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r id; do
        grep -qx "$((id))" <<<"$shown" && echo "$((id))"
    done
}

# 0. The command line is read before Qt starts: --help and --version need no display, and a
#    wrong option ends with status 2 and one line, opening nothing.
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$mezura")
version=$("${no_display[@]}" --version 2>&1) || fail "--version failed: $version"
[[ "$version" =~ ^mezura\ [0-9]+\.[0-9]+$ ]] || fail "--version printed: $version"
"${no_display[@]}" --help 2>&1 | grep -q '^Usage: mezura \[' || fail "--help printed no usage"
"${no_display[@]}" --bogus >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 2 ] && [ ! -s "$work/out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] ||
    fail "--bogus ended with status $status and wrote: $(cat "$work/out" "$work/err")"

mkdir "$program"
cp "$mezura" "$program/mezura"
cp "$help" "$program/mezura-help"
start_xvfb "$work" || fail "no virtual display"

# 1. The first start.
start_mezura
settings=$(wait_window "^${prefix}設定\$" "$app_pid") || fail "no settings window"
sleep 0.5 # any other window would show by now
shown=$(visible_windows | wc -l)
[ "$shown" -eq 1 ] || fail "$shown windows show at the first start, expected the settings window alone"

# The size the program gives that window on this display, from the same mapping.
expected=$(timeout 30 "$probe") || fail "the probe failed"
actual=
for _ in $(seq 50); do # the window may still settle right after it appears
    info=$(xwininfo -id "$settings")
    actual="$(awk '/ Width:/ {print $2}' <<<"$info")x$(awk '/ Height:/ {print $2}' <<<"$info")"
    [ "$actual" = "$expected" ] && break
    sleep 0.1
done
echo "display $DISPLAY, settings window $settings: $actual, expected $expected"
[ "$actual" = "$expected" ] || fail "the settings window's size differs"

# With no conversion window to go back to, a key is refused: the window stays.
xdotool windowfocus --sync "$settings" key Escape
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Esc with no conversion window ended the program"
xdotool search --onlyvisible --name "^${prefix}設定\$" | grep -qx "$settings" || fail "Esc hid the only window"
[ -e "$program/Mezura.cfg" ] && fail "the program wrote a settings file without OK or quit"

# "quit" (Left 2280 + 2160, Top 120 + 2160, 735 x 375 twips) saves the boxes and ends.
xdotool mousemove --window "$settings" $(((4440 + 367) * 96 / 1440)) $(((2280 + 187) * 96 / 1440)) click 1
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "quit did not end the program"
wait "$app_pid"
status=$?
app_pid=
[ "$status" -eq 0 ] || fail "mezura ended with status $status"
[ "$(tr -d '\r\n' <"$program/Mezura.cfg")" = "0000000000" ] || fail "quit did not save the ten clear boxes"

# 2. A start with the temperature window chosen.
printf '0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n' >"$program/Mezura.cfg"
cp "$program/Mezura.cfg" "$work/chosen.cfg"
start_mezura
settings=$(wait_window "^${prefix}設定\$" "$app_pid") || fail "no settings window"
temp=$(wait_window "^${prefix}温度\$" "$app_pid") || fail "the chosen temperature window does not show"
order=
for _ in $(seq 50); do
    order=$(visible_windows | tr '\n' ' ')
    [ "$order" = "$settings $temp " ] && break
    sleep 0.1
done
[ "$order" = "$settings $temp " ] || fail "windows top-most first: $order, expected the settings window $settings in front of $temp"
xdotool windowfocus --sync "$settings" key Escape
wait_gone "$settings" "$app_pid" || fail "Esc did not hide the settings window"
kill -0 "$app_pid" 2>/dev/null || fail "mezura ended"
[ "$(visible_windows)" = "$temp" ] || fail "the temperature window does not show alone after Esc"
cmp -s "$program/Mezura.cfg" "$work/chosen.cfg" || fail "the settings file changed"

# 3. 他の単位 > 年号, then 全て, from the temperature window: the menu ends with 年号, a
#    separator, 全て and 設定. The calendar window, which comes last, shows already.
choose() { # choose N: the item N from the end of the temperature window's first menu
    xdotool windowraise "$temp" windowfocus --sync "$temp" mousemove --window "$temp" 20 8 click 1
    sleep 0.5
    for _ in $(seq "$1"); do xdotool key Up; done
    xdotool key Return
}
choose 3
year=$(wait_window "^${prefix}年号\$" "$app_pid") || fail "the menu did not show the calendar window"
choose 2
for _ in $(seq 50); do
    [ "$(visible_windows | wc -l)" -eq 10 ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$year" ] && break
    sleep 0.1
done
[ "$(visible_windows | wc -l)" -eq 10 ] || fail "全て shows $(visible_windows | wc -l) windows, expected the ten"
[ "$(visible_windows | head -n1)" = "$year" ] || fail "after 全て the window in front is not the calendar window"
focused=$(xdotool getwindowfocus 2>/dev/null)
[ "$focused" = "$year" ] || fail "after 全て the focus is in $(xdotool getwindowname "$focused"), not in the calendar window in front"

# 4. Each row: how the program ends, and whether the viewer is stopped then. A viewer that
#    has ended but was not yet reaped by the process that adopted it counts as ended.
running() { # running PID: the process runs (or is stopped), and is no zombie
    local state
    state=$(sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)
    [ -n "$state" ] && [ "$state" != Z ]
}
stop_process "$app_pid"
app_pid=
for row in "TERM running" "TERM stopped" "KILL stopped"; do
    read -r signal viewer_state <<<"$row"
    start_mezura
    temp=$(wait_window "^${prefix}温度\$" "$app_pid") || fail "$row: the temperature window does not show"
    xdotool windowfocus --sync "$temp" key F1
    viewer=
    for _ in $(seq 100); do
        viewer=$(pgrep -P "$app_pid" -x mezura-help) && break
        sleep 0.1
    done
    [ -n "$viewer" ] || fail "$row: F1 started no help viewer"
    [ "$viewer_state" = stopped ] && kill -STOP "$viewer"
    kill "-$signal" "$app_pid"
    wait "$app_pid" 2>/dev/null
    app_pid=
    for _ in $(seq 50); do
        running "$viewer" || break
        sleep 0.1
    done
    if running "$viewer"; then
        kill -KILL "$viewer"
        fail "$row: the help viewer outlived the program"
    fi
done
# 5. Each row: fontconfig's sans-serif for Japanese and for the rest, the general font of a
#    KDE desktop ("-": no desktop's theme, Qt's own general font "Sans Serif"), and the
#    family of the program's font (from the probe, which sets the program up alike).
while IFS='|' read -r japanese other general expected; do
    cat >"$work/fonts.conf" <<EOF
<?xml version="1.0"?>
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <match><test name="lang"><string>ja</string></test><test name="family"><string>sans-serif</string></test>
    <edit name="family" mode="prepend" binding="strong"><string>$japanese</string></edit></match>
  <match><test name="family"><string>sans-serif</string></test>
    <edit name="family" mode="prepend" binding="strong"><string>$other</string></edit></match>
</fontconfig>
EOF
    desktop=()
    if [ "$general" != - ]; then
        mkdir -p "$work/kde"
        printf '[General]\nfont=%s,10,-1,5,50,0,0,0,0,0\n' "$general" >"$work/kde/kdeglobals"
        desktop=(QT_QPA_PLATFORMTHEME=kde KDE_SESSION_VERSION=5 XDG_CONFIG_HOME="$work/kde")
    fi
    family=$(env FONTCONFIG_FILE="$work/fonts.conf" "${desktop[@]}" timeout 30 "$probe" --font 2>/dev/null)
    [ "$family" = "$expected" ] ||
        fail "with $japanese for Japanese, $other otherwise and the desktop's font $general the program takes '$family', not $expected"
done <<'ROWS'
Noto Sans CJK JP|DejaVu Sans|DejaVu Sans|Noto Sans CJK JP
IPAGothic|DejaVu Sans|Noto Sans CJK JP|Noto Sans CJK JP
DejaVu Sans|DejaVu Sans|-|IPAPGothic
ROWS
echo "PASS"
