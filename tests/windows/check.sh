#!/usr/bin/env bash
# The Windows installer and program under Wine, as an organisation and a
# person would use them: an older version installed, then this one over it,
# which must replace it whole, and the older one refused over it; the
# installed program typed into with real keys in an Italian locale, and
# ended; a silent uninstall; the tables that let one user install.
# Usage: check.sh PATH/TO/tarvelo.msi   (in an X server: xvfb-run)
set -euo pipefail
# A Wine prefix of its own, new each time, and an Italian locale of the
# test's own, from which Wine takes the Windows one.
work=$(mktemp -d) && trap 'wineserver -k; rm -rf "$work"' EXIT
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
localedef -i it_IT -c -f UTF-8 "$work/it_IT.UTF-8" || true
folder="$(winepath -u 'C:\Program Files\Tarvelo')"
fail() { echo "FAIL: wine: $*" >&2; exit 1; }
keys() { xdotool key --delay 60 "$@"; }
focus() { timeout 60 xdotool search --sync --onlyvisible --name "^Calcolo del Tarvelo\$" windowfocus --sync; }

# The same program as an older version with a product code of its own, and
# with one file more, which the newer version must take away.
build=$(dirname "$(realpath "$1")") older=$work/older && mkdir "$older"
version=$(sed -n 's/.* Name="Tarvelo" Version="\([^"]*\)".*/\1/p' "$build/packaging/windows/tarvelo.wxs")
(cd "$build" && cp --parents $(cat shipped-files.txt) window/icons/tarvelo-app.ico "$older/")
echo "versione precedente" >"$older/vecchio.txt" && (cat "$build/shipped-files.txt"; echo vecchio.txt) >"$older/files"
sed -e "s/ Version=\"$version\"/ Version=\"0.9\"/" -e 's/Product Id="[^"]*"/Product Id="*"/' \
    "$build/packaging/windows/tarvelo.wxs" >"$older/tarvelo.wxs"
bash "$(dirname "$0")/../../packaging/windows/components.sh" "$older/files" "$older/files.wxs"
(cd "$older" && wixl --arch x64 -D SourceDir=. -D Win64=yes -o tarvelo-0.9-x64.msi tarvelo.wxs files.wxs)
# One Apps and Features entry named Tarvelo, of this version.
listed() {
    entries=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -s ' ')
    [ "$(grep -c 'DisplayName REG_SZ Tarvelo' <<<"$entries")" = 1 ] && [[ $entries == *"Publisher REG_SZ Tarvelo"* &&
        $entries == *"DisplayVersion REG_SZ $version"* ]] || fail "Apps and Features: $entries"
}

wine msiexec /i "$older/tarvelo-0.9-x64.msi" /qn && [ -f "$folder/vecchio.txt" ] || fail "install 0.9"
wine msiexec /i "$1" /qn && listed || fail "silent install over 0.9"
# The installed folder holds exactly what the build laid out.
[ "$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)" = "$(cat "$build/shipped-files.txt")" ] ||
    fail "$folder holds other files than the release: $(cd "$folder" && find . -type f | head)"
grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' "$folder/licenses/qt/Qt-LGPL-3.0-only.txt" || fail "no LGPL text"
[ -n "$(find "$WINEPREFIX/drive_c" -iname 'Tarvelo.lnk' -path '*Start Menu*')" ] || fail "no shortcut"
# The older version is refused by the launch condition that carries the
# message (Wine shows it, but its box does not copy its text). Tables are
# read whole before grep: with pipefail, a grep that stops early fails a pipe.
! wine msiexec /i "$older/tarvelo-0.9-x64.msi" /qn && listed || fail "0.9 installed over $version"
grep -q "^NOT WIX_DOWNGRADE_DETECTED.È già installata una" <<<"$(msiinfo export "$1" LaunchCondition)" ||
    fail "no Italian refusal"

# The installed program, typed into and ended with its keys; Calcola's result
# is tst_window's, which runs under Wine too.
LOCPATH=$work LC_ALL=it_IT.UTF-8 wine "$folder/tarvelo.exe" >"$work/output" 2>&1 & program=$!
focus && xdotool type --delay 60 85.5 && keys Tab Tab Tab Tab && xdotool type --delay 60 70
keys shift+Tab shift+Tab space && focus && keys shift+Tab space
wait $program && [ ! -s "$work/output" ] || fail "exit status $?, output: $(cat "$work/output")"

wine msiexec /x "$1" /qn && [ -z "$(ls -A "$folder" 2>/dev/null)" ] || fail "uninstall: $(ls -A "$folder")"
# For one user: Windows Installer 5 installs this dual-purpose package into
# the user's own folders and hive. Wine's installer (8 and 10) does not know
# MSIINSTALLPERUSER and installs for the machine, as above; what makes the
# package dual-purpose is checked in its tables.
grep -q $'^ALLUSERS\t2' <<<"$(msiinfo export "$1" Property)" || fail "not a dual-purpose package"
grep -qP '\t-1\tSoftware.\w+\t' <<<"$(msiinfo export "$1" Registry)" || fail "registry not per context"
echo "ok: wine: 0.9 replaced, older refused, status 0, uninstalled; dual-purpose"
