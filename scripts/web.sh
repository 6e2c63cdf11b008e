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

# The static site in build-web/site: the page (web/), the WebAssembly module beside it, the
# program's icons drawn by its own code (as the desktop program installs them) and the help
# pages in help/, their unit tables written and their contents, index and topic map made by
# native tools built in build-web-host. Any static host serves the folder as it is.
build_site() {
    local host=build-web-host site="$build/site" pages="$build/help-pages" icons="$build/icons"
    cmake -S . -B "$host" -DMEZURA_UI=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release \
        -DMEZURA_WERROR="${MEZURA_WERROR:-OFF}" >/dev/null
    cmake --build "$host" -j"$jobs" --target mezura-unittables mezura-helpsite mezura-icons
    rm -rf "$site" "$pages" "$icons"
    mkdir -p "$site/icons"
    cp web/index.html web/style.css web/app.js web/manifest.webmanifest "$build/mezura.js" "$build/mezura.wasm" "$site/"
    "$host/mezura-icons" "$icons" mezura
    cp "$icons/scalable/apps/mezura.svg" "$site/icons/"
    for pixels in 32 256; do
        cp "$icons/${pixels}x${pixels}/apps/mezura.png" "$site/icons/mezura-$pixels.png"
    done
    cp -r help "$pages"
    "$host/mezura-unittables" "$pages"
    "$host/mezura-helpsite" "$pages" "$site/help"
    service_worker "$site"
}

# The service worker, written last: it keeps every file of the site for use offline, under a
# version named after all their bytes. A site changed in any file is a new version, so its
# sw.js differs; the browser fetches sw.js at each visit, and the new worker keeps the new
# files and drops the old ones (web/sw.js).
service_worker() {
    local site="$1" files version
    files="$(cd "$site" && find . -type f ! -name sw.js | sed 's|^\./||' | LC_ALL=C sort)"
    version="$(cd "$site" && printf '%s\n' "$files" | xargs sha256sum | sha256sum | cut -c1-16)"
    files="$(printf "'%s', " $files)"
    sed -e "s|^const VERSION = .*|const VERSION = '$version';|" \
        -e "s|^const FILES = .*|const FILES = ['./', ${files%, }];|" web/sw.js >"$site/sw.js"
    grep -q "^const VERSION = '$version';" "$site/sw.js"
}

build_core
build_site
echo "web: built $build/mezura-script.js and the site in $build/site"
