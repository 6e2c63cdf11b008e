#!/usr/bin/env bash
# Checks that every tracked C++ file follows .clang-format; lists the files that do not.
# Tables whose alignment carries meaning stand between "// clang-format off" and "on".
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
format="$(command -v clang-format-14 || command -v clang-format || true)"
if [ -z "$format" ]; then
    echo "check-format: clang-format is not installed (bash scripts/setup.sh installs it)" >&2
    exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
echo "check-format: ${#files[@]} files"
# Each place that differs is reported as "FILE:LINE:COLUMN: error: code should be
# clang-formatted"; the files are what the user needs.
status=0
report=$("$format" --dry-run --Werror "${files[@]}" 2>&1) || status=$?
mapfile -t unformatted < <(sed -n 's/^\(.*\):[0-9]*:[0-9]*: error: code should be clang-formatted.*/\1/p' <<<"$report" | sort -u)
if [ "$status" -ne 0 ] || [ ${#unformatted[@]} -gt 0 ]; then
    [ ${#unformatted[@]} -gt 0 ] || { echo "$report" >&2; echo "check-format: $format failed (status $status)" >&2; exit 1; }
    echo "check-format: ${#unformatted[@]} file(s) not formatted (fix: $(basename "$format") -i FILE): ${unformatted[*]}" >&2
    exit 1
fi
