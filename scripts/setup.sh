#!/usr/bin/env bash
# Installs what Mezura needs to build, run and test on Debian 12: the compiler, CMake, git,
# clang-format and clang-tidy (scripts/check-format.sh, scripts/tidy.sh), Qt 6 Widgets with
# its platform plugins and Qt's Japanese translations, fontconfig's headers (it names the
# desktop's Japanese font), the header-only libraries that read and write numbers (fmt,
# fast_float), GoogleTest, the Japanese font the windows fall back to and the CJK font many
# desktops choose instead (the text-fit test measures both), the help compiler and reader,
# Xvfb with the tools the screen tests use, a German locale, under which the tests check that
# numbers keep their "." whatever the locale says; the accessibility bus (D-Bus, AT-SPI) that
# the screen-reader test reads the program through; what builds and checks the Debian
# package; and clang with libFuzzer for the fuzz targets.
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
. "$(dirname "$0")/apt-install.sh"

packages=(
  build-essential cmake pkg-config git clang-format clang-tidy
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libfontconfig-dev libfmt-dev libfast-float-dev
  libgtest-dev googletest
  fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
  fp-utils libmspack-dev
  xvfb x11-utils xdotool imagemagick
  dbus at-spi2-core libglib2.0-bin
  locales
  dpkg-dev debhelper file desktop-file-utils appstream lintian
  clang libfuzzer-14-dev libclang-rt-14-dev libx11-dev
)
# A locale whose decimal separator is a comma.
comma_locale=de_DE.UTF-8

install_missing "${packages[@]}"

# locale -a writes de_DE.utf8 for de_DE.UTF-8.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  echo "Generating the locale $comma_locale"
  if grep -q "^# *$comma_locale UTF-8" /etc/locale.gen; then
    $sudo sed -i "s/^# *\($comma_locale UTF-8\)/\1/" /etc/locale.gen
  elif ! grep -q "^$comma_locale UTF-8" /etc/locale.gen; then
    echo "$comma_locale UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen
fi

# Every command that scripts/test.sh and the scripts it runs call, there after the install:
# a package that no longer brings one is found here, not by a script that fails later.
for tool in cmake ctest git c++ clang++ clang-format clang-tidy chmcmd Xvfb xdotool xwininfo \
  dbus-run-session gdbus desktop-file-validate appstreamcli lintian dpkg-deb; do
  if ! command -v "$tool" >/dev/null && ! command -v "$tool-14" >/dev/null; then
    echo "setup: $tool is missing after installing the packages: ${packages[*]}" >&2
    exit 1
  fi
done
