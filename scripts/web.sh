#!/usr/bin/env bash
# Builds Mezura for the web in build-web: the core and mezura-script compiled to WebAssembly
# with emscripten (installed first when missing, scripts/web-setup.sh), from the same sources
# as the desktop program. build-web/mezura-script.js runs under Node like the native driver:
#   node build-web/mezura-script.js tests/driver/length-inch.script
# and the web page's static site in build-web/site, which any static host serves as it is.
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

# The static site in build-web/site: the page (web/), the WebAssembly module beside it and
# the help pages in help/, their unit tables written and their contents, index and topic map
# made by native tools built in build-web-host. Any static host serves the folder as it is.
build_site() {
    local host=build-web-host site="$build/site" pages="$build/help-pages"
    cmake -S . -B "$host" -DMEZURA_UI=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release \
        -DMEZURA_WERROR="${MEZURA_WERROR:-OFF}" >/dev/null
    cmake --build "$host" -j"$jobs" --target mezura-unittables mezura-helpsite
    rm -rf "$site" "$pages"
    mkdir -p "$site"
    cp web/index.html web/style.css web/app.js web/sw.js "$build/mezura.js" "$build/mezura.wasm" "$site/"
    cp -r help "$pages"
    "$host/mezura-unittables" "$pages"
    "$host/mezura-helpsite" "$pages" "$site/help"
}

build_core
build_site
echo "web: built $build/mezura-script.js and the site in $build/site"
