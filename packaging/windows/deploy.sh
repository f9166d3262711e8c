#!/usr/bin/env bash
# Lays the Windows program out as it is installed, beside tarvelo.exe: the
# Qt plugins it loads, every DLL that the program and those plugins import,
# found in the Qt build or in MinGW's runtime (what neither holds comes with
# Windows), stripped of their symbol tables as the program is, and licenses/
# with Qt's notices (Qt.txt names the Qt and its Debian version) and the
# Debian copyright files of the MinGW packages whose DLLs ship. Writes the
# list of the files, one a line relative to the folder, to shipped-files.txt
# in it, and the Debian package each file from outside Qt's build came from
# to debian-files.txt.
# Usage: deploy.sh FOLDER QT_PREFIX DLL_FOLDER...  (Qt's own first)
set -euo pipefail
# objdump's headings are translated in other locales; they are read below.
export LC_ALL=C
folder=$1
qt=$2
search=("${@:3}")
cd "$folder"
# The Windows platform, the native look, and the .ico format of the icon.
plugins=(platforms/qwindows.dll styles/qmodernwindowsstyle.dll imageformats/qico.dll)

rm -rf licenses platforms styles imageformats ./*.dll
: >debian-files.txt
for plugin in "${plugins[@]}"; do
    mkdir -p "$(dirname "$plugin")"
    x86_64-w64-mingw32-strip --strip-unneeded -o "$plugin" "$qt/plugins/$plugin"
done
mkdir -p licenses/qt licenses/mingw-w64
cp "$qt"/licenses/*.txt licenses/qt/
# Which Qt this is, to the Debian revision that carries its security fixes.
sed -n 's/^Version: \(\([0-9.]*\).*\)/Qt \2, built for Windows from the source of Debian'"'"'s qt6-base \1.\
Its libraries are under the LGPL version 3: Qt-LGPL-3.0-only.txt, with Qt-GPL-3.0-only.txt./p' \
    "$qt"/source/*.dsc >licenses/qt/Qt.txt

pending=(tarvelo.exe "${plugins[@]}")
while [ ${#pending[@]} -gt 0 ]; do
    pe=${pending[0]}
    pending=("${pending[@]:1}")
    for dll in $(x86_64-w64-mingw32-objdump -p "$pe" | sed -n 's/^\tDLL Name: //p'); do
        [ ! -e "$dll" ] || continue
        for dir in "${search[@]}"; do
            [ -f "$dir/$dll" ] || continue
            x86_64-w64-mingw32-strip --strip-unneeded -o "$dll" "$dir/$dll"
            pending+=("$dll")
            if [ "$dir" != "$qt/bin" ]; then
                package=$(dpkg -S "$(realpath "$dir/$dll")" | cut -d: -f1)
                cp "/usr/share/doc/$package/copyright" "licenses/mingw-w64/$package.txt"
                printf '%s %s\n' "$dll" "$package" "licenses/mingw-w64/$package.txt" "$package" \
                    >>debian-files.txt
            fi
            break
        done
    done
done
{ echo tarvelo.exe; ls ./*.dll; printf '%s\n' "${plugins[@]}"; find licenses -type f; } |
    sed 's|^\./||' | LC_ALL=C sort >shipped-files.txt
