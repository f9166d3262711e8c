#!/usr/bin/env bash
# Builds Qt for 64-bit Windows as DLLs, from Debian's own qt6-base source of
# the same version as the host's Qt, whose tools (moc, uic, rcc) it uses.
# Only Core, Gui, Widgets and Test, the Windows platform plugin and the
# Windows styles. Installs into the folder given, with:
#  - the toolchain file it was built with, which builds against it load;
#  - source/: the Debian source package it was built from (.dsc, tarballs);
#  - licenses/: Qt's licence and the notices of each third-party component
#    that this build compiles in, as the source's own attribution files give
#    them, with attributions.json listing those components.
# The build tree is removed. Nothing outside the folder changes: the source
# is fetched through an apt configuration of its own.
# Usage: build-qt.sh PREFIX
set -euo pipefail
prefix=$1
here=$(dirname "$0")
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
mkdir -p "$prefix"
cp "$here/mingw-w64-x86_64.cmake" "$prefix/"
work=$(mktemp -d "$prefix.build.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The source entries mirror the system's own entries, read and never changed.
apt="$work/apt"
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$prefix/source"
for list in /etc/apt/sources.list.d/*.sources; do
    [ -e "$list" ] && sed 's/^Types:.*/Types: deb-src/' "$list" >"$apt/sources.list.d/$(basename "$list")"
done
[ ! -f /etc/apt/sources.list ] || sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/sources.list"
aptopts=(-o "Dir::Etc::sourcelist=$apt/sources.list" -o "Dir::Etc::sourceparts=$apt/sources.list.d"
    -o "Dir::State=$apt" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=root")
touch "$apt/sources.list"
apt-get "${aptopts[@]}" update -qq
(cd "$prefix/source" && apt-get "${aptopts[@]}" source -qq --download-only "qt6-base=$version")
dpkg-source -x "$prefix/source"/*.dsc "$work/source" >/dev/null
# The linker stamps each DLL with the time of SOURCE_DATE_EPOCH, or else with
# the clock's; the date of the source package's last change keeps rebuilds
# byte for byte the same, as Debian's own builds do.
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$work/source/debian/changelog" -STimestamp)
export SOURCE_DATE_EPOCH

# OpenGL and the tablet need what MinGW or Debian's source lacks; zstd is
# forced shared by Debian's build; DirectWrite 3 would replace the GDI font
# engine that the window is laid out with. Direct2D is asked for: Qt 6.8's
# font database does not build with DirectWrite but without it. It is
# optimized for size, and leaves out what neither the program nor its tests
# use: the FreeType engine (Windows draws with GDI); Markdown and ODF
# writing, XML streams, MIME types, PDF, pictures, floating-point painting,
# JPEG, GIF, PPM and XBM images and animated images; processes, shared
# memory, command lines, file watching, the Jalali and Hijri calendars, undo
# stacks, the sorting and other proxy models, the tray icon, effects and the
# Fusion style; and the widgets and dialogs that the form has none of: docks,
# status bars, splitters, rubber bands, completers, file, colour, font,
# progress and error dialogs, wizards, date and time editors, calendars, MDI
# areas and the rest below. Some stay whatever the features say: the Windows
# styles plugin uses graphics views, text edits, input dialogs, command link
# buttons, tab bars and tool bars (and so main windows), and the style sheet
# of QApplication; the platform plugin reads settings; Qt's CMake needs PCRE2.
# The temporary folder's name stays out of the DLLs (__FILE__ is in some
# messages): two builds of one source give the same bytes.
cmake -S "$work/source" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$work=qt" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work=qt" \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_direct2d=ON -DFEATURE_directwrite3=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_optimize_size=ON -DFEATURE_mimetype=OFF \
    -DFEATURE_freetype=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_textodfwriter=OFF -DFEATURE_xmlstream=OFF -DFEATURE_pdf=OFF -DFEATURE_picture=OFF \
    -DFEATURE_raster_fp=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_imageformat_ppm=OFF \
    -DFEATURE_imageformat_xbm=OFF -DFEATURE_movie=OFF -DFEATURE_process=OFF -DFEATURE_sharedmemory=OFF \
    -DFEATURE_systemsemaphore=OFF -DFEATURE_commandlineparser=OFF -DFEATURE_filesystemwatcher=OFF \
    -DFEATURE_jalalicalendar=OFF -DFEATURE_hijricalendar=OFF -DFEATURE_undocommand=OFF \
    -DFEATURE_sortfilterproxymodel=OFF -DFEATURE_identityproxymodel=OFF \
    -DFEATURE_transposeproxymodel=OFF -DFEATURE_concatenatetablesproxymodel=OFF \
    -DFEATURE_systemtrayicon=OFF -DFEATURE_filesystemmodel=OFF -DFEATURE_style_fusion=OFF \
    -DFEATURE_effects=OFF -DFEATURE_dockwidget=OFF -DFEATURE_statusbar=OFF -DFEATURE_splitter=OFF \
    -DFEATURE_rubberband=OFF -DFEATURE_completer=OFF -DFEATURE_filedialog=OFF -DFEATURE_colordialog=OFF \
    -DFEATURE_fontdialog=OFF -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF -DFEATURE_wizard=OFF \
    -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_mdiarea=OFF \
    -DFEATURE_keysequenceedit=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF \
    -DFEATURE_splashscreen=OFF -DFEATURE_syntaxhighlighter=OFF -DFEATURE_toolbox=OFF \
    -DFEATURE_columnview=OFF -DFEATURE_listwidget=OFF -DFEATURE_tablewidget=OFF -DFEATURE_treewidget=OFF \
    -DFEATURE_datawidgetmapper=OFF
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build"

# Every file of the source that the compiler read, source or header, as the
# build recorded it; the notices follow from it.
(cd "$work/build" && ninja -t deps) | sed -n 's/^    //p' |
    (cd "$work/build" && xargs realpath -m --relative-to="$work/source") | grep -v '^\.\./' |
    sort -u >"$prefix/compiled-files.txt"
python3 "$here/qt-notices.py" "$work/source" "$prefix/compiled-files.txt" "$prefix/licenses"
