#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy over the C++ sources that the last commit
# changed (a changed header brings in the source of the same name), with the compile commands
# of a configured build directory. Bounded: at most 20 files; prints what it checked.
#   scripts/tidy.sh [BUILD_DIR]        (default build-test)
set -euo pipefail
. "$(dirname "$0")/on-error.sh"
cd "$(dirname "$0")/.."
build="${1:-build-test}"
limit=20

tidy="$(command -v clang-tidy-14 || command -v clang-tidy || true)"
if [ -z "$tidy" ]; then
  echo "tidy: clang-tidy is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
if [ ! -f "$build/compile_commands.json" ]; then
  echo "tidy: no $build/compile_commands.json; configure the build first" >&2
  exit 1
fi

# The first commit has no parent: compare it with the empty tree.
if git rev-parse -q --verify 'HEAD~1^{commit}' >/dev/null; then
  base='HEAD~1'
else
  base="$(git hash-object -t tree /dev/null)"
fi

files=()
while IFS= read -r changed; do
  case "$changed" in
    *.cpp) candidate="$changed" ;;
    *.h) candidate="${changed%.h}.cpp" ;;
    *) continue ;;
  esac
  # Only what this build compiles (a Qt source is absent from a build without the program).
  if [ -f "$candidate" ] && grep -q "\"file\": \"$PWD/$candidate\"" "$build/compile_commands.json"; then
    files+=("$candidate")
  fi
done < <(git diff --name-only --diff-filter=d "$base" HEAD -- '*.cpp' '*.h' | sort -u)

if [ ${#files[@]} -eq 0 ]; then
  echo "tidy: no C++ source changed in the last commit"
  exit 0
fi
mapfile -t files < <(printf '%s\n' "${files[@]}" | sort -u | head -n "$limit")
echo "tidy: checking ${#files[@]} file(s) changed in the last commit (at most $limit): ${files[*]}"
# The compiler warnings are GCC's to give (-Werror); clang-tidy reports its checks alone.
"$tidy" -p "$build" --quiet --extra-arg=-Wno-everything "${files[@]}"
echo "tidy: ${#files[@]} file(s) clean"
