#!/usr/bin/env bash
# Checks that the package is reproducible: builds it twice with scripts/package.sh, in two
# folders of different names and depths, and compares the two .deb files and the two help
# files Mezura.chm byte for byte. Both builds take SOURCE_DATE_EPOCH from the last commit.
# Two full builds: about 2 x the time of scripts/package.sh.
#   bash scripts/repro-check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
    echo "repro-check: $1" >&2
    exit 1
}

work=$(mktemp -d /tmp/mezura-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT
builds=("$work/a" "$work/second/build")
debs=()
for dir in "${builds[@]}"; do
    mkdir -p "$dir"
    echo "repro-check: building in $dir"
    MEZURA_PACKAGE_BUILD=$dir bash scripts/package.sh >"$dir.log" 2>&1 \
        || { tail -n 40 "$dir.log"; fail "scripts/package.sh failed in $dir"; }
    debs+=("$(tail -n1 "$dir.log")")
done

# The help file as the build made it, before packaging.
chm() { find "$1" -path '*/obj-*' -name Mezura.chm -print -quit; }
first_chm=$(chm "${builds[0]}")
second_chm=$(chm "${builds[1]}")
[ -n "$first_chm" ] && [ -n "$second_chm" ] || fail "a build made no Mezura.chm"

different=()
cmp -s "$first_chm" "$second_chm" || different+=(Mezura.chm)
if ! cmp -s "${debs[0]}" "${debs[1]}"; then
    different+=("$(basename "${debs[0]}")")
    # Names the files that differ inside the two packages.
    for i in 0 1; do dpkg-deb -R "${debs[$i]}" "$work/content$i"; done
    diff -rq "$work/content0" "$work/content1" >&2 || true
fi
if [ ${#different[@]} -gt 0 ]; then
    fail "the two builds differ in: ${different[*]} (diffoscope shows how)"
fi
echo "repro-check: identical in ${builds[0]} and ${builds[1]}:" \
    "$(basename "${debs[0]}") ($(stat -c %s "${debs[0]}") bytes)," \
    "Mezura.chm ($(stat -c %s "$first_chm") bytes); ${SECONDS} s"
