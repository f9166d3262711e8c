#!/usr/bin/env bash
# Installs the build into a scratch prefix and builds its Debian package,
# then checks both as the desktop and dpkg will see them.
# Usage: check.sh BUILD_DIR APP_ID PATH/TO/icondecode ICON_SIZE...
set -euo pipefail
BUILD=$1 ID=$2 DECODE=$3
shift 3
SIZES="$*"
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

files="bin/tarvelo share/applications/$ID.desktop share/metainfo/$ID.metainfo.xml"
for size in $SIZES; do
    files+=" share/icons/hicolor/${size}x${size}/apps/$ID.png"
done
files+=" share/icons/hicolor/scalable/apps/$ID.svg"

cmake --install "$BUILD" --prefix "$SCRATCH/usr" >/dev/null
for file in $files; do
    [ -f "$SCRATCH/usr/$file" ] || fail "not installed: $file"
done
echo "ok: every file installed"

desktop-file-validate "$SCRATCH/usr/share/applications/$ID.desktop"
appstreamcli validate --no-net "$SCRATCH/usr/share/metainfo/$ID.metainfo.xml"
echo "ok: desktop entry and metainfo validate"

# One id everywhere.
grep -qx "Icon=$ID" "$SCRATCH/usr/share/applications/$ID.desktop" || fail "desktop Icon is not $ID"
grep -qx "Name=Calcolo del Tarvelo" "$SCRATCH/usr/share/applications/$ID.desktop" || fail "desktop Name"
grep -q "<id>$ID</id>" "$SCRATCH/usr/share/metainfo/$ID.metainfo.xml" || fail "metainfo id"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" \
    "$SCRATCH/usr/share/metainfo/$ID.metainfo.xml" || fail "metainfo launchable"
echo "ok: $ID names the entry, the metainfo and the icons"

# Every icon decodes, at the size its folder names.
decoded=$(QT_QPA_PLATFORM=offscreen "$DECODE" "$SCRATCH"/usr/share/icons/hicolor/*/apps/*) ||
    fail "an icon does not decode: $decoded"
for size in $SIZES; do
    grep -qx "${size}x${size} .*/${size}x${size}/apps/$ID.png" <<<"$decoded" ||
        fail "the ${size}x${size} icon is not ${size} pixels: $decoded"
done
echo "ok: every icon decodes at its size"

# The package holds the same files and names its dependencies.
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$SCRATCH/package" >/dev/null
deb=$(ls "$SCRATCH"/package/*.deb)
contents=$(dpkg-deb -c "$deb")
for file in $files; do
    grep -q " \./usr/$file\$" <<<"$contents" || fail "not in the package: $file"
done
depends=$(dpkg-deb -f "$deb" Depends)
for dependency in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins \
    fonts-liberation fonts-ebgaramond fonts-dejavu-core; do
    grep -q "$dependency" <<<"$depends" || fail "the package does not depend on $dependency: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "section"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
echo "ok: $(basename "$deb") holds every file and depends on Qt and the fonts"
