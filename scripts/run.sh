#!/usr/bin/env bash
# Installs what is needed, builds Mezura (Release, in build-release, again only what changed
# since the last call, on every core) and starts it. Arguments go to the program
# (bash scripts/run.sh --version). The program needs a desktop session; with none, run it on
# a virtual display: xvfb-run -a bash scripts/run.sh
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): run it in a desktop session, or: xvfb-run -a bash scripts/run.sh" >&2
    exit 1
fi
bash scripts/setup.sh
build=build-release
# Configured once; later calls build only what changed.
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
fi
cmake --build "$build" -j"$(nproc)"
exec "./$build/mezura" "$@"
