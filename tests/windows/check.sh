#!/usr/bin/env bash
# The Windows installer and program under Wine, as an organisation and a
# person would use them: an older version installed, then this one over it,
# which must replace it whole, and the older one refused over it; the
# installed program typed into with real keys in an Italian locale and heard
# by a UI Automation client of the test's own, as a Windows screen reader
# hears it (the warnings and the tab order are tst_window's, which runs under
# Wine too); a silent uninstall; the tables that let one user install.
# Usage: check.sh PATH/TO/tarvelo.msi PATH/TO/uiaclient.exe  (in a private X
#   server: see wine.sh)
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" bash "$0" "$@"
fi
# A Wine prefix of its own, new each time: nothing installed before.
WINEPREFIX=$(mktemp -d)/wine
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the Windows locale from the Unix one: an Italian locale of the
# test's own, compiled from Debian's locale sources.
locales=$(dirname "$WINEPREFIX") && localedef -i it_IT -c -f UTF-8 "$locales/it_IT.UTF-8" || true
folder="$(winepath -u 'C:\Program Files\Tarvelo')"
trap 'wineserver -k; rm -rf "$(dirname "$WINEPREFIX")"' EXIT
fail() { echo "FAIL: wine: $*" >&2; exit 1; }
keys() { xdotool key --delay 60 "$@"; }
focus() { timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" windowfocus --sync; }
# Runs the command until it succeeds, for 30 seconds at most.
within() { for _ in $(seq 300); do "$@" && return; sleep 0.1; done; false; }
output=$(mktemp) heard=$(mktemp)

build=$(dirname "$(realpath "$1")")
version=$(sed -n 's/.* Name="Tarvelo" Version="\([^"]*\)".*/\1/p' "$build/packaging/windows/tarvelo.wxs")
# The same program as an older version with a product code of its own, and
# with one file more, which the newer version must take away.
older=$(mktemp -d)
(cd "$build" && cp --parents $(cat shipped-files.txt) window/icons/tarvelo-app.ico "$older/")
echo "versione precedente" >"$older/vecchio.txt"
(cat "$build/shipped-files.txt"; echo vecchio.txt) >"$older/files"
sed -e "s/ Version=\"$version\"/ Version=\"0.9\"/" -e 's/Product Id="[^"]*"/Product Id="*"/' \
    "$build/packaging/windows/tarvelo.wxs" >"$older/tarvelo.wxs"
bash "$(dirname "$0")/../../packaging/windows/components.sh" "$older/files" "$older/files.wxs"
(cd "$older" && wixl --arch x64 -D SourceDir=. -D Win64=yes -o tarvelo-0.9-x64.msi tarvelo.wxs files.wxs)
# One Apps and Features entry named Tarvelo, of this version, in this hive.
listed() {
    entries=$(wine reg query "$1\Software\Microsoft\Windows\CurrentVersion\Uninstall" /s | tr -s ' ')
    [ "$(grep -c 'DisplayName REG_SZ Tarvelo' <<<"$entries")" = 1 ] && [[ $entries == *"Publisher REG_SZ Tarvelo"* &&
        $entries == *"DisplayVersion REG_SZ $2"* ]] || fail "Apps and Features in $1: $entries"
}

wine msiexec /i "$older/tarvelo-0.9-x64.msi" /qn && [ -f "$folder/vecchio.txt" ] || fail "install 0.9"
wine msiexec /i "$1" /qn || fail "silent install over 0.9"
listed HKLM "$version"
# The installed folder holds exactly what the build laid out.
[ "$(cd "$folder" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)" = "$(cat "$build/shipped-files.txt")" ] ||
    fail "$folder holds other files than the release: $(cd "$folder" && find . -type f | head)"
grep -q 'GNU LESSER GENERAL PUBLIC LICENSE' "$folder/licenses/qt/Qt-LGPL-3.0-only.txt" || fail "no LGPL text"
[ -n "$(find "$WINEPREFIX/drive_c" -iname 'Tarvelo.lnk' -path '*Start Menu*')" ] || fail "no shortcut"
# The older version is refused by the launch condition that carries the
# message (Wine shows it, but its box does not copy its text). Tables are
# read whole before grep: with pipefail, a grep that stops early fails a pipe.
! wine msiexec /i "$older/tarvelo-0.9-x64.msi" /qn || fail "0.9 installed over $version"
grep -q "^NOT WIX_DOWNGRADE_DETECTED.È già installata una" <<<"$(msiinfo export "$1" LaunchCondition)" ||
    fail "no Italian refusal"
listed HKLM "$version"

# Wine's stand-in for UiaRaiseNotificationEvent, which delivers nothing,
# prints its arguments among the fixme messages: the announcement is read
# there. Qt raises events only once a client has asked for the window, so
# the client is ready before the first key.
WINEDEBUG=-all,fixme+uiautomation LOCPATH=$locales LC_ALL=it_IT.UTF-8 wine "$folder/tarvelo.exe" \
    >"$output" 2>&1 & program=$!
focus "Calcolo del Tarvelo"
wine "$2" >"$heard" 2>&1 &
client() { tr -d '\r' <"$heard"; }
within grep -q '^ready' "$heard" || fail "UI Automation: $(client)"
# Edits and buttons (control types 50004 and 50000) by name and automation id
# (the object names from the application down).
[ "$(client | grep -E '^element 500(04|00)\|' | cut -d'|' -f2,3 | sed 's/|QApplication\.Tarvelo\./|/' |
    LC_ALL=C sort)" = "$(printf '%s\n' 'Calcola|CmdCalcola' 'Cancella|CmdCancella' 'Peso ideale in kg|TxtPesoId' \
    'Peso reale in kg|TxtPesoRe' 'Tarvelo in kg|TxtTarvelo' 'Uscita|CmdUscita')" ] ||
    fail "UI Automation tree: $(client)"
# Calcola: the result field's text changes, and the result is announced.
announced() {
    client | grep -q '^text-changed 50004|Tarvelo in kg|' &&
        grep -q "UiaRaiseNotificationEvent.*\"Tarvelo in kg $1\"" "$output"
}
xdotool type --delay 60 85.5 && keys Tab Tab Tab Tab && xdotool type --delay 60 70
keys shift+Tab shift+Tab space
within announced 76,2 || fail "76,2 not heard: $(client) / the program: $(cat "$output")"
[ "$(client | sed -n 's/^focus [0-9]*|\([^|]*\)|.*/\1/p' | tail -n 1)" = Calcola ] || fail "focus: $(client)"
focus "Calcolo del Tarvelo" && keys shift+Tab space
wait $program || fail "exit status $?: $(cat "$output")"

wine msiexec /x "$1" /qn && [ -z "$(ls -A "$folder" 2>/dev/null)" ] || fail "uninstall: $(ls -A "$folder")"

# For one user: Windows Installer 5 installs this dual-purpose package into
# the user's own folders and hive. Wine's installer (8 and 10) does not know
# MSIINSTALLPERUSER and installs for the machine, as above; what makes the
# package dual-purpose is checked in its tables.
grep -q $'^ALLUSERS\t2' <<<"$(msiinfo export "$1" Property)" || fail "not a dual-purpose package"
grep -qP '\t-1\tSoftware.\w+\t' <<<"$(msiinfo export "$1" Registry)" || fail "registry not per context"
echo "ok: wine: 0.9 replaced, older refused, 76,2 heard, status 0, uninstalled; dual-purpose"
