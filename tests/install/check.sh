#!/usr/bin/env bash
# Builds the Debian package, unpacks it, and checks it as dpkg and the
# desktop see it. Usage: check.sh BUILD_DIR APP_ID ICON_SIZE...
set -euo pipefail
BUILD=$1 ID=$2 && shift 2
scratch=$(mktemp -d) && trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$scratch" >/dev/null
deb=$(echo "$scratch"/*.deb) usr=$scratch/root/usr && dpkg-deb -x "$deb" "$scratch/root"
desktop=$usr/share/applications/$ID.desktop metainfo=$usr/share/metainfo/$ID.metainfo.xml

# As a distribution would take it: clean to lintian, and hardened as far as
# amd64 goes. Left out: CFI, which Debian 12 and 13 cannot mark on any
# program (their C start files carry no CET note, so the linker drops it;
# /usr/bin/ls fails it too), fortify, whose only libc call is a memcpy in
# Qt's inline QList code, of a size no compiler can bound there, and branch
# protection, an arm64 feature that Debian 13's hardening-check asks of
# every program.
skip=(--nocfprotection --nofortify)
[[ $(hardening-check --help) == *--nobranchprotection* ]] && skip+=(--nobranchprotection)
hardening-check "${skip[@]}" "$usr/bin/tarvelo"
desktop-file-validate "$desktop"
# Without a web page, AppStream 1.0 warns that it is missing, and lintian
# then reports the metainfo as failing; anything else either finds fails.
found=$(appstreamcli validate --no-net "$metainfo" | grep -E '^[EW]:' || true) quiet=()
[[ $found != *": url-homepage-missing"* ]] || quiet=(--suppress-tags appstream-metadata-validation-failed)
[ -z "$(grep -v ': url-homepage-missing$' <<<"$found")" ] || fail "the metainfo does not validate: $found"
lintian --fail-on error,warning "${quiet[@]}" "$deb"
grep -qx "Icon=$ID" "$desktop" && grep -qx "StartupWMClass=tarvelo" "$desktop" ||
    fail "the desktop entry names another icon or window class"
grep -q "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$metainfo" || fail "the metainfo launches another entry"
for size in "$@"; do
    file "$usr/share/icons/hicolor/${size}x$size/apps/$ID.png" | grep -q "PNG image data, $size x $size," ||
        fail "no ${size}-pixel icon"
done
file "$usr/share/icons/hicolor/scalable/apps/$ID.svg" | grep -q "SVG" || fail "no SVG icon"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 $(sed -n 's/^\([a-z0-9][a-z0-9.+-]*\).*/\1/p' "$(dirname "$0")/../../packaging/run-depends.txt"); do
    grep -q "$package" <<<"$depends" || fail "no dependency on $package: $depends"
done
echo "ok: $(basename "$deb"): program, valid entry and metainfo, icons, dependencies"
