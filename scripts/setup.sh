#!/usr/bin/env bash
# Installs what Mezura needs to build, run and test on Debian 12: the compiler and CMake,
# Qt 6 Widgets with its platform plugins and Qt's Japanese translations, GoogleTest, the
# Japanese font the windows are drawn for and the CJK font other desktops have instead (the
# text-fit test measures both), the help compiler and reader, and Xvfb with the tools the
# screen tests use.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libgtest-dev googletest
  fonts-ipafont-gothic fonts-noto-cjk qt6-translations-l10n
  fp-utils libchm-dev
  xvfb x11-utils xdotool imagemagick
  clang libfuzzer-14-dev libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
