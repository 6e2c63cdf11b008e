#!/usr/bin/env bash
# Runs every driver fixture of tests/driver through the WebAssembly mezura-script under Node
# (built by scripts/web.sh), each by the same CMake script as the native tests, so its output
# must equal the native driver's fixture to the byte; then the table of refused lines. Prints
# how many passed, and the difference of each that failed. Argument: the build folder
# (build-web).
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build-web}"
driver="$PWD/$build/mezura-script.js"
if [ ! -f "$driver" ]; then
    echo "web driver: $driver is missing: build it with scripts/web.sh" >&2
    exit 1
fi
# A fixture that differs must fail here: never rewrite it from the web build's output.
unset UPDATE_FIXTURES
work="$PWD/$build/driver-fixtures"
rm -rf "$work"
mkdir -p "$work"

# A list for CMake: the command that run_fixture.cmake starts with the script as its operand.
command="node;$driver"
# A driver caught in a loop fails its fixture instead of holding up CI.
limit=60
passed=0
total=0
failed=()
check() {
    local name=$1
    shift
    total=$((total + 1))
    if timeout "$limit" cmake "$@" >"$work/$name.log" 2>&1; then
        passed=$((passed + 1))
    else
        failed+=("$name")
        cat "$work/$name.log" >&2
    fi
}
for script in tests/driver/*.script; do
    name="$(basename "$script" .script)"
    check "$name" -DDRIVER="$command" -DSCRIPT="$PWD/$script" -DEXPECTED="$PWD/tests/driver/$name.expected" \
        -DACTUAL="$work/$name.actual" -P tests/driver/run_fixture.cmake
done
check refused-lines -DDRIVER="$command" -DTABLE="$PWD/tests/driver/refused-lines.table" -DWORK="$work" \
    -P tests/driver/refused_lines.cmake

echo "web driver: $passed of $total fixtures passed under Node"
if [ ${#failed[@]} -gt 0 ]; then
    echo "web driver: failed: ${failed[*]}" >&2
    exit 1
fi
