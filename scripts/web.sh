#!/usr/bin/env bash
# Builds Mezura for the web in build-web: the core and mezura-script compiled to WebAssembly
# with emscripten (installed first when missing, scripts/web-setup.sh), from the same sources
# as the desktop program. build-web/mezura-script.js runs under Node like the native driver:
#   node build-web/mezura-script.js tests/driver/length-inch.script
# Later calls build only what changed. MEZURA_WERROR=ON makes warnings errors (CI).
# The environment's CMAKE_CXX_COMPILER_LAUNCHER (ccache) is used when set.
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
bash scripts/web-setup.sh

build="build-web"
# emscripten's tools are Node programs that load acorn from Debian's Node folder.
export NODE_PATH="${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs"
# Two jobs at most: emscripten's compiles are heavy and CI shares its cores.
jobs="$(nproc)"
[ "$jobs" -le 2 ] || jobs=2

build_core() {
    emcmake cmake -S . -B "$build" -DMEZURA_WEB=ON -DCMAKE_BUILD_TYPE=Release \
        -DMEZURA_WERROR="${MEZURA_WERROR:-OFF}" >/dev/null
    cmake --build "$build" -j"$jobs"
}

# The static site in build-web/site, from web/ and the WebAssembly module.
build_site() {
    :
}

build_core
build_site
echo "web: built $build/mezura-script.js"
