#!/usr/bin/env bash
# Installs what the WebAssembly build needs beside the desktop build's packages
# (scripts/setup.sh): emscripten with the JavaScript parser its tools load from Node, and the
# header-only number text libraries the core reads and writes numbers with; Qt's painting, with
# which the program's own code draws the site's icons; chromium, in which tests/web/page.mjs
# checks the web page.
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
. "$(dirname "$0")/apt-install.sh"

packages=(emscripten node-acorn libfmt-dev libfast-float-dev qt6-base-dev chromium)
# The page's browser test loads puppeteer-core with npm, which Debian packages apart from Node
# (Node's own packages bring it along).
command -v npm >/dev/null || packages+=(npm)

install_missing "${packages[@]}"
for tool in emcmake emcc node npm chromium; do
  if ! command -v "$tool" >/dev/null; then
    echo "web-setup: $tool is missing after installing the packages: ${packages[*]}" >&2
    exit 1
  fi
done
