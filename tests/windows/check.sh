#!/usr/bin/env bash
# The Windows installer and program under Wine, as a person would use them:
# a silent install, the installed program typed into with real keys in an
# Italian locale and read back through the clipboard (a Windows message box
# copies its title and text on Ctrl+C), then a silent uninstall.
# Usage: check.sh PATH/TO/tarvelo.msi  (in a private X server: see wine.sh)
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" bash "$0" "$@"
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes the Windows locale from the Unix one: an Italian locale of the
# test's own, compiled from Debian's locale sources.
locales=$(mktemp -d)
localedef -i it_IT -c -f UTF-8 "$locales/it_IT.UTF-8" || true
folder="$(winepath -u 'C:\Program Files\Tarvelo')"
trap 'wineserver -k' EXIT
fail() { echo "FAIL: wine: $*" >&2; exit 1; }
keys() { xdotool key --delay 60 "$@"; }
# Focuses the window with this title and prints its id.
focus() {
    window=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
    xdotool windowfocus --sync "${window:?no window $1}" && echo "$window"
}
output=$(mktemp)
# Copies the focused field or box until the clipboard matches the pattern.
expect() {
    for _ in $(seq 100); do
        keys ctrl+a ctrl+c
        # shellcheck disable=SC2254
        case "$(xclip -o -selection clipboard 2>/dev/null)" in $1) return ;; esac
        sleep 0.1
    done
    fail "expected '$1', the clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)'"
}

wine msiexec /i "$1" /qn || fail "silent install"
[ -f "$folder/tarvelo.exe" ] || fail "tarvelo.exe not in $folder"
[ -n "$(find "$WINEPREFIX/drive_c" -iname 'Tarvelo.lnk' -path '*Start Menu*')" ] || fail "no Start menu shortcut"
listed=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -s ' ')
for value in "DisplayName REG_SZ Tarvelo" "DisplayVersion REG_SZ 1." "Publisher REG_SZ Tarvelo"; do
    [[ $listed == *"$value"* ]] || fail "Apps and Features lacks '$value'"
done

LOCPATH=$locales LC_ALL=it_IT.UTF-8 wine "$folder/tarvelo.exe" >"$output" 2>&1 &
program=$!
focus "Calcolo del Tarvelo" >/dev/null
xdotool type --delay 60 85.5 && keys Tab Tab Tab Tab && xdotool type --delay 60 70
keys shift+Tab shift+Tab space Tab Tab Tab
expect 76,2
# Blank fields: Tab goes on to the real weight, then round to the ideal one.
keys Tab ctrl+a BackSpace Tab Tab Tab Tab ctrl+a BackSpace shift+Tab shift+Tab space
for weight in Reale Ideale; do
    box=$(focus "Attenzione !!!")
    expect "*Attenzione !!!*Il valore del Peso $weight deve essere maggiore di zero*"
    keys Return
    while xdotool search --onlyvisible --name '^Attenzione !!!$' | grep -qx "$box"; do sleep 0.1; done
done
focus "Calcolo del Tarvelo" >/dev/null
keys Tab Tab Tab
expect 0
keys Tab Tab space
wait $program || fail "exit status $?: $(cat "$output")"

wine msiexec /x "$1" /qn || fail "silent uninstall"
[ -z "$(ls -A "$folder" 2>/dev/null)" ] || fail "left behind: $(ls -A "$folder")"
echo "ok: wine: installed, 76,2, both warnings in order, exit status 0, uninstalled"
