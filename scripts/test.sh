#!/usr/bin/env bash
# Installs what is needed, builds Mezura with its tests, and runs every test twice: in a
# normal build and in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

# Warnings are errors here: a change that warns does not pass.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DMEZURA_WERROR=ON
cmake --build build-test -j"$jobs"
ctest --test-dir build-test --output-on-failure -j"$jobs"
# clang-tidy over the sources the last commit changed (at most 40 files).
bash scripts/tidy.sh build-test

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DMEZURA_SANITIZE=ON -DMEZURA_WERROR=ON
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"
