#!/usr/bin/env bash
# Builds the Debian package twice with reprotest, from copies of the source,
# in build/ whatever the caller builds in: the second time elsewhere, a year
# later (faketime), in another time zone and locale, with another umask,
# environment, home and CPU count and, when run as root, as another user. It
# must come out byte for byte the same (else reprotest shows diffoscope's
# account of what differs), and its bill of materials must check (the build
# checks it).
# Usage: twice.sh SOURCE
set -euo pipefail
src=$1
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && export LOCPATH=$work PATH=$work:$PATH
# The source files: those git knows, or in an unpacked source tarball every
# file but what builds write; the date is the commit's, which the tarball
# carries.
sources=$(ls -A "$src" | grep -vxE 'build(-.*)?|dist') epoch=$(cat "$src/packaging/source-date-epoch")
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    sources=$(git -C "$src" ls-files -co --exclude-standard) epoch=$(git -C "$src" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$epoch}
localedef -i it_IT -f UTF-8 -c "$work/it_IT.UTF-8" || true
# reprotest 0.7.23 passes sudo a host (-h localhost), which sudo 1.9 refuses.
printf '#!/bin/sh\n[ "$1" != -h ] || shift 2\nexec /usr/bin/sudo "$@"\n' >"$work/sudo" && chmod +x "$work/sudo"
vary=-fileordering,-domain_host,locales.locale+=it_IT.UTF-8,user_group.available+=nobody:nogroup
[ "$(id -u)" = 0 ] || vary+=,-user_group
cd "$src" && reprotest --vary="$vary" --store-dir "$work/out" --source-pattern "$(tr '\n' ' ' <<<"$sources")" \
    -c "env -u MAKEFLAGS -u MAKELEVEL -u BUILD_DIR make package CMAKE_OPTIONS=-DBUILD_TESTING=OFF" . \
    "build/tarvelo_*_amd64.deb*"
