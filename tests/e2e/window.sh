#!/usr/bin/env bash
# End to end: the real program in a real X server, used as a person would.
# Usage: window.sh PATH/TO/tarvelo
set -euo pipefail
source "$(dirname "$0")/xsession.sh"
APP=$1

message_box() {
    xdotool search --onlyvisible --name '^Attenzione !!!$' 2>/dev/null | head -n 1
}
no_message_box() {
    [ -z "$(message_box)" ]
}

# Waits for a warning box and dismisses it with Enter, as a person would.
# (Its text is checked by the widget tests; here, that it comes and goes.)
dismiss_warning() {
    local box
    wait_for 10 test -n "$(message_box)" || fail "no warning box: $1"
    box=$(message_box)
    xdotool windowfocus --sync "$box"
    xdotool key Return
    wait_for 10 eval '! xdotool search --onlyvisible --name "^Attenzione !!!$" 2>/dev/null | grep -qx "$box"' ||
        fail "warning box did not close: $1"
}

start_x
start_app "$APP"

# Focus starts in the real-weight field: typing goes there.
compute_typical
no_message_box || fail "a warning came up for valid weights"
echo "ok: 85.5 and 70 give 76,2 in Italian"

# Clear writes one blank into each field.
click $CMD_CANCELLA
for field in "$TXT_PESO_RE" "$TXT_PESO_ID" "$TXT_TARVELO"; do
    click $field
    mark_clipboard
    expect_copied " " "field at $field after Cancella"
done
echo "ok: Cancella leaves one blank in each field"

# Computing on the blanks: the result 0 is written, then both warnings in order.
click $CMD_CALCOLA
dismiss_warning "real weight"
dismiss_warning "ideal weight"
no_message_box || fail "a third box came up"
click $TXT_TARVELO
mark_clipboard
expect_copied "0" "result of two blank fields"
echo "ok: two warnings, one after the other, and the result stays"

# Uscita ends the process at once with status 0.
click $CMD_USCITA
expect_clean_exit
echo "ok: Uscita ends the program with status 0"
