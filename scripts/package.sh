#!/usr/bin/env bash
# Builds the Debian package of Mezura in one command (installs what is needed first):
#   bash scripts/package.sh          -> build-package/mezura_<version>_<arch>.deb
# Install it with: sudo apt install ./build-package/mezura_<version>_<arch>.deb
# MEZURA_PACKAGE_BUILD names another build directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

build=${MEZURA_PACKAGE_BUILD:-build-package}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DMEZURA_UI=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/mezura_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/mezura_*.deb
