#!/usr/bin/env bash
# Rewrites the driver's golden outputs (tests/driver/NAME.expected, and NAME.stderr where there
# is one) with what the built mezura-script prints now, then shows the change for review.
# Commit it only when every changed line is meant; `git checkout tests/driver` undoes it.
#   scripts/update-fixtures.sh [BUILD_DIR [REGEX]]   (default build-test, every fixture)
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
build=${1:-build-test}
filter=${2:-.}
if [ ! -f "$build/CTestTestfile.cmake" ]; then
    echo "update-fixtures: $build is not a configured build (cmake -S . -B $build first)" >&2
    exit 1
fi
cmake --build "$build" -j"$(nproc)" --target mezura-script
UPDATE_FIXTURES=1 ctest --test-dir "$build" -R "^driver\\..*($filter)" --output-on-failure -j"$(nproc)"
git --no-pager diff --stat -- tests/driver
git --no-pager diff -- tests/driver
