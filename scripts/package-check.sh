#!/usr/bin/env bash
# The Debian package on this machine, as a user would meet it: builds it (scripts/package.sh),
# checks its menu entry, its AppStream metadata and lintian's verdict on the source and binary
# packages (no error, no warning, no hardening tag), installs it with apt, and then, as an
# ordinary user with a fresh home directory, converts once with mezura-conv and, on a virtual X
# display, starts the installed program from the menu entry's Exec line, opens help from the
# installed help file and saves the settings; finally removes the package and finds nothing
# left behind but that user's settings file. Needs root (CI runs as root); a temporary user is
# made and removed again.
#   scripts/package-check.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
id=org.mezura.Mezura
prefix='ヨモギの単位計算－'

if [ "$(id -u)" -ne 0 ]; then
    echo "package-check: needs root (it installs the package and makes a user)" >&2
    exit 1
fi

work=$(mktemp -d /tmp/mezura-package-check.XXXXXX)
chmod 755 "$work"
user=mzcheck$$
home=$work/home
installed=
user_made=
xvfb_pid=
app_pid=
help_pid=
cleanup() {
    [ -n "$help_pid" ] && kill "$help_pid" 2>/dev/null || true
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    if [ -n "$installed" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq mezura >/dev/null 2>&1 || true
    fi
    [ -n "$user_made" ] && userdel "$user" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $1"
    [ -f "$work/mezura.log" ] && cat "$work/mezura.log"
    exit 1
}
step() { echo "package-check: $1"; }

# 1. Build, then look at what was built.
bash scripts/package.sh >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; fail "scripts/package.sh"; }
deb=$(tail -n1 "$work/build.log")
[ -f "$deb" ] || fail "no package was built"
deb=$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")
step "built $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb -x "$deb" "$work/content"
desktop-file-validate "$work/content/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$work/content/usr/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log"; fail "appstreamcli validate"; }
step "menu entry and AppStream metadata valid"
# The .changes names the source package and the binary ones.
changes=${deb%.deb}.changes
lintian --display-info --fail-on error,warning "$changes" >"$work/lintian.log" 2>&1 \
    || { cat "$work/lintian.log"; fail "lintian reports errors or warnings"; }
if grep -q '^.: .*hardening' "$work/lintian.log"; then
    cat "$work/lintian.log"
    fail "lintian finds binaries without hardening"
fi
count() { grep -c "^$1:" "$work/lintian.log" || true; }
step "lintian on $(basename "$changes"): $(count E) errors, $(count W) warnings, $(count I) notes"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {sub(/^\./, "", $6); print $6}' >"$work/files"
for size in 16 24 32 48 64 128 256; do
    grep -qx "/usr/share/icons/hicolor/${size}x${size}/apps/$id.png" "$work/files" || fail "no ${size}x${size} icon"
done
grep -qx "/usr/share/icons/hicolor/scalable/apps/$id.svg" "$work/files" || fail "no scalable icon"
grep -qx "/usr/share/bash-completion/completions/mezura-conv" "$work/files" || fail "no bash completion of mezura-conv"
for page in mezura mezura-script mezura-conv; do
    grep -qx "/usr/share/man/man1/$page.1.gz" "$work/files" || fail "no manual page $page(1)"
done

# 2. Install it as a user would, with apt (which fetches the dependencies).
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; fail "apt-get install"; }
installed=1
[ -L /usr/bin/mezura ] && [ "$(readlink -f /usr/bin/mezura)" = /usr/lib/mezura/mezura ] \
    || fail "/usr/bin/mezura is no link to /usr/lib/mezura/mezura"
step "installed with apt: $(wc -l <"$work/files") files"

# 3. An ordinary user with a fresh home directory.
useradd --no-create-home --home-dir "$home" --shell /bin/sh "$user"
user_made=1
mkdir "$home"
chown "$user:" "$home"
. scripts/xvfb.sh # start_xvfb, wait_window, wait_gone
start_xvfb "$work" || fail "no virtual display"
# Runs a command as that user, the process itself taking the place of setpriv and env.
as_user=(setpriv --reuid="$user" --regid="$user" --init-groups
         env -i HOME="$home" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 DISPLAY="$DISPLAY")

# The terminal converter, as that user types it.
converted=$("${as_user[@]}" mezura-conv 3 坪 m2 2>&1) || fail "mezura-conv 3 坪 m2: $converted"
[ "$converted" = 9.915372 ] || fail "mezura-conv 3 坪 m2 printed $converted"
step "mezura-conv 3 坪 m2 printed $converted"

# The program as the menu starts it: the Exec line without its field codes.
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$id.desktop | head -n1)
read -r -a command <<<"$(sed 's/ %[fFuUdDnNickvm]//g' <<<"$exec_line")"
"${as_user[@]}" "${command[@]}" >"$work/mezura.log" 2>&1 &
app_pid=$!
settings=$(wait_window "^${prefix}設定\$" "$app_pid") || fail "the settings window did not map"
[ "$(readlink "/proc/$app_pid/exe")" = /usr/lib/mezura/mezura ] || fail "the running program is not /usr/lib/mezura/mezura"
step "'$exec_line' mapped the settings window $settings"

# Help at the common topic, from the installed help file: the help window's title names
# the page it shows ("…ヘルプ－共通事項"); a message that the help file cannot be read would
# come in a low box titled "…ヘルプ" alone.
xdotool windowfocus --sync "$settings" key F1
help=$(wait_window "^${prefix}ヘルプ－" "$app_pid") || fail "help did not open at a page"
title=$(xdotool getwindowname "$help")
height=$(xwininfo -id "$help" | awk '/ Height:/ {print $2}')
[ "$height" -ge 200 ] || fail "help showed a message instead of the help file (window $height pixels high)"
help_pid=$(xdotool getwindowpid "$help" 2>/dev/null || true)
[ "$help_pid" = "$app_pid" ] && help_pid=
step "F1 opened help: \"$title\", $height pixels high"

# "quit" in the settings window saves and ends the program. The help window opened over it
# (there is no window manager here), so the settings window is raised first. The button lies
# at its twips position at 96 dpi (15 twips a pixel): frame (2280, 120) + button (2160, 2160),
# 735 x 375.
xdotool windowraise "$settings"
xdotool windowfocus --sync "$settings"
xdotool mousemove --window "$settings" $(((2280 + 2160 + 367) / 15)) $(((120 + 2160 + 187) / 15)) click 1
for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app_pid" 2>/dev/null && fail "quit did not end the program"
wait "$app_pid" || fail "the program ended with status $?"
app_pid=
if [ -n "$help_pid" ]; then
    kill "$help_pid" 2>/dev/null || true
    help_pid=
fi
saved=$home/.config/mezura/Mezura.cfg
[ -f "$saved" ] || { find "$home" >&2; fail "no settings file under the user's home"; }
[ "$(stat -c %U "$saved")" = "$user" ] || fail "the settings file does not belong to the user"
[ "$(tr -d '\r' <"$saved" | tr '\n' ' ')" = "0 0 0 0 0 0 0 0 0 0 " ] || fail "unexpected settings: $(od -c "$saved")"
[ -e /usr/lib/mezura/Mezura.cfg ] && fail "a settings file was written beside the installed program"
step "quit saved $saved"
stop_process "$xvfb_pid"
xvfb_pid=

# 4. Remove it: nothing of the package stays, and of the user's only the settings file.
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq mezura >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log"; fail "apt-get purge"; }
installed=
left=$(while read -r file; do
    if [ -e "$file" ] || [ -L "$file" ]; then echo "$file"; fi
done <"$work/files")
[ -z "$left" ] || fail "left behind: $left"
for dir in /usr/lib/mezura /usr/share/doc/mezura; do
    [ -e "$dir" ] && fail "left behind: $dir"
done
others=$(find "$home" -type f ! -path "$saved")
[ -z "$others" ] || fail "the user's home holds more than the settings file: $others"
step "removed: no file of the package left, the user's settings file kept"
echo "PASS"
