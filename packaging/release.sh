#!/usr/bin/env bash
# Makes a release of the commit checked out, into DIST: a Debian package for
# each Debian release, the Windows installer and zip, each with its bill of
# materials, the source
# of the commit (git archive) and of the Qt in the Windows files, and
# SHA256SUMS. Everything is built afresh, without the tests, in
# build-release-RELEASE and build-release-windows, dated by the commit, each
# part in a root of the Debian release it is made for, kept in the cache
# folder (packaging/debian-root.sh): each package in its release's, the
# Windows files in Debian 13's, with its Qt. The roots and
# the paths in them are the same from any Debian machine, and so are the
# files. A tree with changes that are not committed is refused: the release
# would not be the commit's.
# Usage: release.sh DIST   (make release)
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$1
if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "make release: this is not a git checkout; a release is made from a commit" >&2
    exit 1
fi
if [ -n "$(git status --porcelain)" ]; then
    echo "make release: refused, the tree has changes that are not committed (commit or" \
        "stash them, or remove the files):" >&2
    git status --short >&2
    exit 1
fi
version=$(sed -n 's/^project(tarvelo VERSION \([^ )]*\).*/\1/p' CMakeLists.txt)

releases="bookworm trixie"
rm -rf build-release build-release-windows "$dist"
for release in $releases; do
    rm -rf "build-release-$release"
    ROOT_RESULTS=build-release-$release bash packaging/debian-root.sh $release \
        make package BUILD_DIR=build-release-$release CMAKE_OPTIONS=-DBUILD_TESTING=OFF
done
make windows WINDOWS_ROOT=trixie BUILD_DIR=build-release WINDOWS_DIR=build-release-windows \
    CMAKE_OPTIONS=-DBUILD_TESTING=OFF
mkdir -p "$dist"
for release in $releases; do
    cp build-release-$release/tarvelo_"$version"+deb*_amd64.deb{,.spdx.json} "$dist/"
done
cp build-release-windows/"tarvelo-$version-x64".{msi,zip}{,.spdx.json} \
    build-release-windows/"tarvelo-$version"-qt6-base_*-source.tar "$dist/"
git archive --format=tar.gz --prefix="tarvelo-$version/" -o "$dist/tarvelo-$version.tar.gz" HEAD
(cd "$dist" && export LC_ALL=C && sha256sum -- * >SHA256SUMS)
echo "Release $version, of commit $(git rev-parse --short HEAD), in $dist/:"
(cd "$dist" && ls -l --time-style=+ -- *)
