#!/usr/bin/env bash
# Builds the Debian packages of Mezura from debian/ in one command (installs what is needed first):
#   bash scripts/package.sh          -> build-package/mezura_<version>_<arch>.deb (the last line)
# Beside it: the source package (.dsc, .orig.tar.xz, .debian.tar.xz) and the .changes that
# lintian reads. Install it with: sudo apt install ./build-package/mezura_<version>_<arch>.deb
#
# dpkg-buildpackage builds a copy of the files that git tracks, as they are in the working
# tree, in build-package/mezura-<upstream version>/, with SOURCE_DATE_EPOCH the time of the
# last commit: two builds of the same commit give the same bytes (scripts/repro-check.sh).
# MEZURA_PACKAGE_BUILD names another build directory (relative to the project, or absolute).
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
    echo "package: $1" >&2
    exit 1
}
bash scripts/setup.sh || fail "scripts/setup.sh could not install what the build needs"
git rev-parse --is-inside-work-tree >/dev/null 2>&1 \
    || fail "not a git checkout: the package is built from the files that git tracks"

version=$(dpkg-parsechangelog -S Version) || fail "debian/changelog cannot be read"
upstream=${version%-*}
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

out=${MEZURA_PACKAGE_BUILD:-build-package}
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "$out"/mezura[-_]*
tree=$out/mezura-$upstream
mkdir "$tree"
# Every tracked file that the working tree still holds.
git ls-files -z | while IFS= read -r -d '' file; do
    if [ -e "$file" ] || [ -L "$file" ]; then printf '%s\0' "$file"; fi
done | tar -c --null -T - | tar -x -C "$tree" || fail "could not copy the sources to $tree"

# The upstream tarball: everything but debian/, with fixed times and owners.
tar -c -C "$out" --sort=name --mtime="@$SOURCE_DATE_EPOCH" --owner=0 --group=0 --numeric-owner \
    --exclude="mezura-$upstream/debian" "mezura-$upstream" | xz -T1 >"$out/mezura_$upstream.orig.tar.xz" \
    || fail "could not write mezura_$upstream.orig.tar.xz"

(cd "$tree" && dpkg-buildpackage -us -uc -j"$(nproc)") || fail "dpkg-buildpackage failed (its output is above)"
deb=$out/mezura_${version}_$arch.deb
[ -f "$deb" ] || fail "dpkg-buildpackage made no $(basename "$deb")"
echo "$deb"
