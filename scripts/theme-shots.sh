#!/usr/bin/env bash
# Pictures of every window under the light, a dark and a high-contrast theme, on a virtual
# X display, side by side in one sheet per theme.
#
#   scripts/theme-shots.sh [BUILD-DIR [OUT-DIR]]
#
# BUILD-DIR (default build-test) holds the built tests/ui/mezura-shots and mezura; OUT-DIR
# (default BUILD-DIR/theme-shots) receives WINDOW-THEME.png for each of the eleven windows
# and sheet-THEME.png (the sheets in docs/themes/ are three of these). When Qt's GTK platform theme is installed (qt6-gtk-platformtheme), the
# real program is also shot as Qt shows it under GTK's dark Adwaita theme, as
# WINDOW-gtk-dark.png, through scripts/screenshot.sh.
set -euo pipefail
. "$(dirname "$0")/on-error.sh"

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-test}
out=${2:-$build/theme-shots}
shots=$build/tests/ui/mezura-shots
[ -x "$shots" ] || { echo "theme-shots: build $shots first (cmake --build $build --target mezura-shots)" >&2; exit 1; }
command -v Xvfb >/dev/null || { echo "theme-shots: Xvfb is not installed" >&2; exit 1; }
export LC_ALL=C.UTF-8

. "$root/scripts/xvfb.sh"
begin_session

mkdir -p "$out"
start_xvfb "$work"
QT_QPA_PLATFORM=xcb "$shots" "$out"
stop_process "$xvfb_pid"
xvfb_pid=

windows=(config length square cubic weight velocity press heat temp radio year)
themes=(light dark contrast)
if ls /usr/lib/*/qt6/plugins/platformthemes/libqgtk3.so >/dev/null 2>&1 && [ -x "$build/mezura" ]; then
    for name in "${windows[@]}"; do
        input=()
        [ "$name" != config ] && input=("windowfocus --sync %S" "type 1" "key Return")
        QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark \
            bash "$root/scripts/screenshot.sh" --mezura "$build/mezura" "$name" "$out/$name-gtk-dark.png" "${input[@]}"
    done
    themes+=(gtk-dark)
fi

if command -v montage >/dev/null; then
    for theme in "${themes[@]}"; do
        files=()
        for name in "${windows[@]}"; do
            files+=("$out/$name-$theme.png")
        done
        montage "${files[@]}" -tile 6x -geometry +4+4 -background '#808080' "$out/sheet-$theme.png"
        echo "theme-shots: $out/sheet-$theme.png"
    done
fi
