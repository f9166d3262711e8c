#!/usr/bin/env bash
# Builds Qt for 64-bit Windows, static, from Debian's own qt6-base source of
# the same version as the host's Qt, whose tools (moc, uic, rcc) it uses.
# Only Core, Gui, Widgets and Test, the Windows platform plugin and the
# Windows styles. Installs into the folder given, with the toolchain file it
# was built with, which builds against it load from there; the build tree is
# removed.
# Usage: build-qt.sh PREFIX
set -euo pipefail
prefix=$1
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
mkdir -p "$prefix"
cp "$(dirname "$0")/mingw-w64-x86_64.cmake" "$prefix/"
work=$(mktemp -d "$prefix.build.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The source comes from the deb-src entries beside the system's deb entries.
if ! apt-get source --print-uris "qt6-base=$version" >/dev/null 2>&1; then
    for list in /etc/apt/sources.list.d/*.sources; do
        grep -q '^Types:.*deb-src' "$list" || sed 's/^Types: deb$/Types: deb-src/' "$list" \
            >"/etc/apt/sources.list.d/$(basename "$list" .sources)-src.sources"
    done
    [ ! -f /etc/apt/sources.list ] || sed -n 's/^deb /deb-src /p' /etc/apt/sources.list \
        >/etc/apt/sources.list.d/deb-src.list
    apt-get update -qq
fi
(cd "$work" && apt-get source -qq "qt6-base=$version" >/dev/null)
source=$(echo "$work"/qt6-base-*/)

# OpenGL, Direct2D and the tablet need what MinGW or Debian's source lacks;
# zstd is forced shared by Debian's build; the rest is not used.
cmake -S "$source" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"
