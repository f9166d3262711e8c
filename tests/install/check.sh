#!/usr/bin/env bash
# Builds the Debian package, unpacks it, and checks it as dpkg and the
# desktop see it. Usage: check.sh BUILD_DIR APP_ID ICON_SIZE...
set -euo pipefail
BUILD=$1 ID=$2
shift 2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/*.deb)
dpkg-deb -x "$deb" "$scratch/root"
usr=$scratch/root/usr
desktop=$usr/share/applications/$ID.desktop
metainfo=$usr/share/metainfo/$ID.metainfo.xml

desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
grep -qx "Icon=$ID" "$desktop" || fail "the desktop entry names another icon"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$metainfo" ||
    fail "the metainfo launches another entry"
for size in "$@"; do
    file "$usr/share/icons/hicolor/${size}x$size/apps/$ID.png" | grep -q "PNG image data, $size x $size," ||
        fail "no ${size}-pixel icon"
done
file "$usr/share/icons/hicolor/scalable/apps/$ID.svg" | grep -q "SVG" || fail "no SVG icon"

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 qt6-qpa-plugins fonts-liberation fonts-ebgaramond fonts-dejavu-core; do
    grep -q "$package" <<<"$depends" || fail "no dependency on $package: $depends"
done
echo "ok: $(basename "$deb"): program, valid entry and metainfo, icons, dependencies"
