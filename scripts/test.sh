#!/usr/bin/env bash
# Installs what is needed, builds Mezura with its tests, and runs every test twice: in a
# normal build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer; builds the
# WebAssembly driver and runs the driver fixtures through it under Node, and the web page in
# headless chromium; runs the fuzz targets for a bounded time (scripts/fuzz.sh); then, as
# root, checks the Debian package (scripts/package-check.sh) and that it is reproducible
# (scripts/repro-check.sh).
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

# Every C++ file follows .clang-format (tables whose alignment carries meaning are fenced off).
bash scripts/check-format.sh

# Warnings are errors here: a change that warns does not pass.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DMEZURA_WERROR=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"
# clang-tidy over the sources the last commit changed (at most 20 files, a few seconds each).
bash scripts/tidy.sh build-test

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMEZURA_SANITIZE=ON -DMEZURA_WERROR=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

# The core and mezura-script in WebAssembly (emscripten, installed when missing): the driver
# fixtures under Node must print what the native driver prints.
MEZURA_WERROR=ON bash scripts/web.sh
bash tests/web/driver.sh build-web
# The page in headless chromium from a local static server: every window against the
# driver fixtures, the stored choice, a phone-sized run.
(cd tests/web && npm ci --no-audit --no-fund --silent)
timeout 300 node tests/web/page.mjs build-web/site

bash scripts/fuzz.sh

# The Debian package, built, installed with apt, used as an ordinary user and removed again.
# It installs packages and makes a user, so it runs only as root (as in CI); so does the check
# that two builds of the package in two folders give the same bytes (two more package builds).
if [ "$(id -u)" -eq 0 ]; then
  bash scripts/package-check.sh
  bash scripts/repro-check.sh
else
  echo "package and reproducibility checks skipped: they run as root (CI runs them)"
fi
