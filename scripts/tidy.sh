#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over C++ sources, with the compile commands
# of a configured build directory (a changed header brings in the source of the same name):
#   scripts/tidy.sh [BUILD_DIR]          the sources that differ from the merge base with main
#                                        (on main itself: those of the last commit)
#   scripts/tidy.sh --all [BUILD_DIR]    every source the build compiles
# Prints what it checked; two files at a time.
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
all=0
if [ "${1:-}" = "--all" ]; then
  all=1
  shift
fi
build="${1:-build-test}"

tidy="$(command -v clang-tidy-14 || command -v clang-tidy || true)"
if [ -z "$tidy" ]; then
  echo "tidy: clang-tidy is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no $build/compile_commands.json; configure the build first" >&2
  exit 1
fi

if [ "$all" -eq 1 ]; then
  what="every source the build compiles"
  mapfile -t changed < <(git ls-files -- '*.cpp')
else
  # What this branch changed since it left main; on main, what the last commit changed; the
  # first commit has no parent and is compared with the empty tree.
  base="$(git merge-base HEAD main 2>/dev/null || true)"
  if [ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ]; then
    if git rev-parse -q --verify 'HEAD~1^{commit}' >/dev/null; then
      base='HEAD~1'
    else
      base="$(git hash-object -t tree /dev/null)"
    fi
  fi
  what="the sources changed since $(git rev-parse --short "$base")"
  mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" HEAD -- '*.cpp' '*.h')
fi

files=()
for path in "${changed[@]}"; do
  case "$path" in
    *.cpp) candidate="$path" ;;
    *.h) candidate="${path%.h}.cpp" ;;
    *) continue ;;
  esac
  # Only what this build compiles (a Qt source is absent from a build without the program).
  if [ -f "$candidate" ] && grep -q "\"file\": \"$PWD/$candidate\"" "$build/compile_commands.json"; then
    files+=("$candidate")
  fi
done

if [ ${#files[@]} -eq 0 ]; then
  echo "tidy: no C++ source to check ($what)"
  exit 0
fi
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u)
echo "tidy: checking ${#files[@]} file(s), $what"
# The compiler warnings are GCC's to give (-Werror); clang-tidy reports its checks alone.
printf '%s\n' "${files[@]}" |
  xargs -P 2 -n 4 "$tidy" -p "$build" --quiet --extra-arg=-Wno-everything
echo "tidy: ${#files[@]} file(s) clean"
