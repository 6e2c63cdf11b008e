#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (build-fuzz) and runs each for a bounded
# time on its seed corpus: first every saved regression input in fuzz/regressions/NAME, then
# fresh inputs for FUZZ_SECONDS seconds (default 20) a target. The help file target is also
# seeded with the objects of the Mezura.chm just built. Prints what each covered; a crash
# leaves its input in the work directory named and fails the run. Save such an input in
# fuzz/regressions/NAME once it is fixed.
#   scripts/fuzz.sh [TARGET ...]      # default: helpfile numtext cfgfile script
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${FUZZ_SECONDS:-20}
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(helpfile numtext cfgfile script)

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DMEZURA_FUZZ=ON \
    -DMEZURA_UI=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target mezura_chm helpfile-seed "${targets[@]/#/fuzz_}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build-fuzz/fuzz/helpfile-seed build-fuzz/Mezura.chm "$work/built-help" >/dev/null

failed=0
for target in "${targets[@]}"; do
    fuzzer=$root/build-fuzz/fuzz/fuzz_$target
    seeds=("$root/fuzz/corpus/$target")
    case $target in
    helpfile) mkdir -p "$work/helpfile-seed" && cp "$work/built-help" "$work/helpfile-seed/" && seeds+=("$work/helpfile-seed") ;;
    script) seeds=("$root/tests/driver") ;;
    esac
    mkdir -p "$work/$target/corpus"
    log=$work/$target.log
    status=0
    # Each run in a directory of its own, which receives any crashing input.
    cd "$work/$target"
    regressions=("$root"/fuzz/regressions/"$target"/*)
    if [ -e "${regressions[0]}" ]; then
        "$fuzzer" "${regressions[@]}" >"$log" 2>&1 || status=$?
        echo "fuzz $target: ${#regressions[@]} regression inputs, status $status"
    fi
    if [ "$status" -eq 0 ]; then
        "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
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
