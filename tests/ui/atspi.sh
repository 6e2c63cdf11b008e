#!/usr/bin/env bash
# The real program through Qt's accessibility bridge (AT-SPI over D-Bus) on a virtual X
# display, as a screen reader sees it: with the settings window and the length window open,
# every field, button, check box, slider and menu item in the tree has a name, and each of
# those kinds is there (else the bridge did not work); after "abc" and Enter in the length
# window, its note is in the tree, named by its sentence.
#   atspi.sh MEZURA            (inside a D-Bus session it starts itself)
set -u

mezura=$1
export LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb dbus-run-session gdbus "$launcher"; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done
if [ -z "${MEZURA_ATSPI_SESSION:-}" ]; then
    MEZURA_ATSPI_SESSION=1 exec dbus-run-session -- "$0" "$@"
fi

. "$(dirname "$0")/../../scripts/xvfb.sh"
work=$(mktemp -d)
xvfb_pid=
app_pid=
launcher_pid=
cleanup() {
    stop_process "$app_pid"
    stop_process "$launcher_pid"
    stop_process "$xvfb_pid"
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $1"
    exit 1
}

mkdir "$work/program"
cp "$mezura" "$work/program/mezura"
printf '1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n' >"$work/program/Mezura.cfg"
start_xvfb "$work" || fail "no virtual display"
"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
launcher_pid=$!
address=
for _ in $(seq 100); do
    address=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
        --method org.a11y.Bus.GetAddress 2>/dev/null | sed -n "s/^('\(.*\)',)$/\1/p")
    [ -n "$address" ] && break
    sleep 0.1
done
[ -n "$address" ] || fail "no accessibility bus"

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$work/program/mezura" >"$work/mezura.log" 2>&1 &
app_pid=$!

atspi() { # BUS PATH INTERFACE.METHOD ARGS...
    local bus=$1 path=$2 method=$3
    shift 3
    gdbus call --address "$address" --dest "$bus" --object-path "$path" --method "$method" "$@" 2>/dev/null
}
children() {
    atspi "$1" "$2" org.a11y.atspi.Accessible.GetChildren | grep -o "('[^']*', \(objectpath \)\{0,1\}'[^']*')" |
        sed "s/^('\([^']*\)', \(objectpath \)\{0,1\}'\([^']*\)')$/\1 \3/"
}
declare -A seen=()
labels=()
unnamed=()
textless=()
nested=()
walk() { # BUS PATH
    local role name child
    role=$(atspi "$1" "$2" org.a11y.atspi.Accessible.GetRoleName | sed "s/^('\(.*\)',)$/\1/")
    name=$(atspi "$1" "$2" org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name |
        sed "s/^(<['\"]\(.*\)['\"]>,)$/\1/")
    case $role in
        text | "push button" | "check box" | "scroll bar" | "menu item")
            seen[$role]=$((${seen[$role]:-0} + 1))
            [ -n "$name" ] || unnamed+=("$role at $2")
            ;;
        label) labels+=("$name") ;;
    esac
    # A unit field is one text that offers its characters, whether or not it has been used.
    if [ "$role" = text ]; then
        atspi "$1" "$2" org.a11y.atspi.Text.GetCharacterCount >/dev/null || textless+=("$2")
        [ -z "$(children "$1" "$2")" ] || nested+=("$2")
    fi
    while read -r child; do
        [ -n "$child" ] && walk $child
    done < <(children "$1" "$2")
}

# The program's tree, once both windows are in it.
app=
for _ in $(seq 100); do
    while read -r child; do
        [ -n "$child" ] || continue
        name=$(atspi $child org.freedesktop.DBus.Properties.Get org.a11y.atspi.Accessible Name)
        [[ $name == *mezura* ]] && app=$child
    done < <(children org.a11y.atspi.Registry /org/a11y/atspi/accessible/root)
    [ -n "$app" ] && [ "$(children $app | wc -l)" -ge 2 ] && break
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.2
done
[ -n "$app" ] || { cat "$work/mezura.log"; fail "the program is not in the accessibility tree"; }
walk $app

summary=""
for role in text "push button" "check box" "scroll bar" "menu item"; do
    [ "${seen[$role]:-0}" -gt 0 ] || fail "no $role in the accessibility tree"
    summary+="${seen[$role]} $role, "
done
[ ${#unnamed[@]} -eq 0 ] || fail "without a name: ${unnamed[*]}"
[ ${#textless[@]} -eq 0 ] || fail "texts that offer no characters: ${textless[*]}"
[ ${#nested[@]} -eq 0 ] || fail "texts inside a text: ${nested[*]}"

# The window's note, where a screen reader finds it. The settings window stands in front at
# the start: Esc puts it away, and the length window's first field has the keyboard.
command -v xdotool >/dev/null 2>&1 || fail "xdotool is not installed"
prefix='ヨモギの単位計算－'
length=$(wait_window "^${prefix}長さ\$" "$app_pid") || fail "no length window"
settings=$(wait_window "^${prefix}設定\$" "$app_pid") || fail "no settings window"
xdotool windowfocus --sync "$settings" key Escape
wait_gone "$settings" "$app_pid" || fail "the settings window stays"
xdotool windowfocus --sync "$length" type abc
xdotool key Return
note='「abc」は数値として読めないため 0 として換算しました。'
found=
for _ in $(seq 20); do
    labels=()
    walk $app
    for label in "${labels[@]}"; do
        [ "$label" = "$note" ] && found=1
    done
    [ -n "$found" ] && break
    sleep 0.2
done
[ -n "$found" ] || fail "no label named \"$note\" among: ${labels[*]}"
echo "PASS: ${summary%, } named through AT-SPI, and the window's note"
