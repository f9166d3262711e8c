#!/usr/bin/env bash
# Runs a command as root in a minimal root of another Debian release, on a
# copy of this source tree made as a release's source tarball is made (git
# archive of the tree as it stands; outside git, the tree without its build
# folders), so that what runs there is what a distribution would build.
# The root is made once with mmdebstrap (minbase, plus make, git and
# ca-certificates), from the archive this machine's apt already uses, and is
# kept in the user's cache folder, named after the release and what it is
# made with; each use brings it up to date first. Nothing outside the cache changes:
# the mounts it needs live in a mount namespace of their own, and every
# process started in the root ends with the command.
# Files of this machine that the command needs are named in ROOT_FILES and
# copied into /root/files; folders of the tree that the command makes and
# this tree wants back are named in ROOT_RESULTS, and replace their
# namesakes here afterwards (both separated by blanks).
# Usage: [ROOT_FILES=...] [ROOT_RESULTS=...] debian-root.sh RELEASE COMMAND...
#   (RELEASE: bookworm, trixie)
set -euo pipefail
release=$1 && shift
src=$(cd "$(dirname "$0")/.." && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tarvelo
include=make,git,ca-certificates
root=$cache/debian-$release-$(echo "minbase $include" | sha256sum | cut -c1-12)

if [ ! -x "$root/usr/bin/make" ]; then
    apt-get update -qq
    command -v mmdebstrap >/dev/null ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap
    # Debian's main and security archives, as this machine's apt names them.
    archive() { apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' "Label: $1" | awk 'NR == 1'; }
    mirror=$(archive Debian) security=$(archive Debian-Security)
    echo "Making a Debian $release root in $root"
    rm -rf "$cache/debian-$release-"* && mkdir -p "$cache"
    mmdebstrap --quiet --variant=minbase --include=$include "$release" "$root.new" \
        "deb $mirror $release main" "deb $mirror $release-updates main" \
        "deb $security $release-security main"
    mv "$root.new" "$root"
fi

rm -rf "$root/root/tarvelo"
if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    rev=$(git -C "$src" stash create)
    git -C "$src" archive --prefix=tarvelo/ "${rev:-HEAD}" | tar -x -C "$root/root"
else
    # An unpacked source tarball: the tree as it stands, without what builds write.
    mkdir "$root/root/tarvelo"
    tar -c -C "$src" --exclude='./build' --exclude='./build-*' --exclude='./dist' . |
        tar -x -C "$root/root/tarvelo"
fi
rm -rf "$root/root/files" && mkdir "$root/root/files"
[ -z "${ROOT_FILES:-}" ] || cp -- $ROOT_FILES "$root/root/files/"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

# Inside a chroot, whose root is no mount point, unshare cannot make the
# mounts private; they are already, where that chroot is this script's own.
propagation=private
unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
unshare --mount --propagation "$propagation" --pid --fork --kill-child bash -euc '
    root=$1 && shift
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs tmpfs "$root/tmp"
    exec chroot "$root" env -i HOME=/root LANG=C.UTF-8 CI="${CI:-}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        DEBIAN_FRONTEND=noninteractive bash -euc "
            apt-get update -qq && apt-get dist-upgrade -y -qq >/dev/null
            cd /root/tarvelo && \"\$@\"" _ "$@"' _ "$root" "$@" </dev/null
for folder in ${ROOT_RESULTS:-}; do
    rm -rf "${src:?}/$folder" && cp -a "$root/root/tarvelo/$folder" "$src/$folder"
done
