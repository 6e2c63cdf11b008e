#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (build-fuzz) and runs each for a bounded
# time on its seed corpus: first every saved regression input in fuzz/regressions/NAME, then
# fresh inputs for FUZZ_SECONDS seconds (default 20) a target. Every input, saved or fresh,
# must be done within FUZZ_INPUT_SECONDS seconds (default 5): one that takes longer fails the
# run as a crash does. The help file target opens its input as the help file: it is seeded
# with the Mezura.chm just built, and its regression inputs are the damaged help files that
# the tests open too (tests/help/damaged). The page target shows its input as a page of the
# help viewer (offscreen), seeded with the help's own pages. Prints what each covered; a
# crash, a timeout or too much memory leaves its input in the work directory named and fails
# the run. Save such an input in fuzz/regressions/NAME (tests/help/damaged for the help file)
# once it is fixed.
#   scripts/fuzz.sh [TARGET ...]      # default: helpfile page numtext cfgfile script
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${FUZZ_SECONDS:-20}
limit=${FUZZ_INPUT_SECONDS:-5}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(helpfile page numtext cfgfile script)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DMEZURA_FUZZ=ON \
    -DMEZURA_UI=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target mezura_chm "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failed=0
for target in "${targets[@]}"; do
    fuzzer=$root/build-fuzz/fuzz/fuzz_$target
    seeds=("$root/fuzz/corpus/$target")
    regressions=("$root"/fuzz/regressions/"$target"/*)
    case $target in
    helpfile)
        mkdir -p "$work/helpfile-seed" && cp build-fuzz/Mezura.chm "$work/helpfile-seed/"
        seeds=("$work/helpfile-seed")
        regressions=("$root"/tests/help/damaged/*)
        ;;
    page)
        mkdir -p "$work/page-seed" && cp build-fuzz/help/pages/*.htm "$work/page-seed/"
        seeds=("$work/page-seed")
        ;;
    script) seeds=("$root/tests/driver") ;;
    esac
    options=(-timeout="$limit" -rss_limit_mb=2048)
    environment=()
    if [ "$target" = page ]; then
        # Qt keeps what it caches (fonts, glyphs) to the end: no leak of the page's.
        options+=(-detect_leaks=0)
        environment+=(ASAN_OPTIONS=detect_leaks=0)
    fi
    mkdir -p "$work/$target/corpus"
    log=$work/$target.log
    status=0
    # Each run in a directory of its own, which receives any crashing input.
    cd "$work/$target"
    if [ -e "${regressions[0]}" ]; then
        env "${environment[@]}" "$fuzzer" "${options[@]}" "${regressions[@]}" >"$log" 2>&1 || status=$?
        echo "fuzz $target: ${#regressions[@]} regression inputs, status $status"
    fi
    if [ "$status" -eq 0 ]; then
        env "${environment[@]}" "$fuzzer" -max_total_time="$seconds" "${options[@]}" -print_final_stats=1 \
            -artifact_prefix="$work/$target/" corpus "${seeds[@]}" >"$log" 2>&1 || status=$?
    fi
    cd "$root"
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -E '^#[0-9]+[[:space:]]+(DONE|INITED)' "$log" | tail -1 | grep -oE 'cov: [0-9]+ ft: [0-9]+ corp: [^ ]+' || true)
    echo "fuzz $target: ${runs:-?} inputs in ${seconds} s, ${coverage:-no coverage line}, status $status"
    if [ "$status" -ne 0 ]; then
        failed=1
        grep -E 'ERROR|SUMMARY|Test unit written|^#[0-9]+[[:space:]]' "$log" | tail -20 || tail -40 "$log"
        for crash in "$work/$target"/crash-* "$work/$target"/timeout-* "$work/$target"/oom-*; do
            [ -e "$crash" ] && cp "$crash" "$root/build-fuzz/" && echo "input kept as build-fuzz/$(basename "$crash")"
        done
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "fuzz: a target found a crash, a timeout or too much memory (see above)" >&2
    exit 1
fi
