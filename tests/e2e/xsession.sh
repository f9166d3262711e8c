# A private X server with the program in it, driven with real input events
# (xdotool) and read through the clipboard (xclip). Sourced by the
# end-to-end test and the screenshot script; everything started here is
# stopped on exit, also when a check fails.

XVFB_PID=""
APP_PID=""
WINDOW=""
# The program's scale factor; coordinates below are in window pixels at 1.
SCALE=${SCALE:-1}

stop_all() {
    local status=$?
    local pid
    for pid in $APP_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -f "${DISPLAY_FILE:-}" "${APP_LOG:-}"
    exit "$status"
}
trap stop_all EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -s "${APP_LOG:-}" ]; then
        echo "--- the program's output:" >&2
        cat "$APP_LOG" >&2
    fi
    exit 1
}

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# Starts Xvfb on the first free display, at 96 dots per inch so that one
# pixel is 15 twips.
start_x() {
    DISPLAY_FILE=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -dpi 96 -nolisten tcp 3>"$DISPLAY_FILE" >/dev/null 2>&1 &
    XVFB_PID=$!
    wait_for 20 test -s "$DISPLAY_FILE" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$DISPLAY_FILE")"
    export QT_QPA_PLATFORM=xcb
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
}

# Starts the program under an Italian locale and waits for its window.
start_app() {
    APP_LOG=$(mktemp)
    QT_SCALE_FACTOR=$SCALE LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 "$1" >"$APP_LOG" 2>&1 &
    APP_PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name '^Calcolo del Tarvelo$' | head -n 1) ||
        fail "the window did not appear"
    focus_window
}

# No window manager runs here: give the window the keyboard focus as a
# desktop does when the window opens or is clicked.
focus_window() {
    xdotool windowfocus --sync "$WINDOW"
}

# Clicks the centre of a control, given its rectangle in window pixels.
click() {
    focus_window
    xdotool mousemove --window "$WINDOW" $(((2 * $1 + $3) * SCALE / 2)) $(((2 * $2 + $4) * SCALE / 2)) click 1
}

type_text() {
    xdotool type --delay 15 -- "$1"
}

clipboard_is() {
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$1" ]
}

# Copies the whole text of the focused control and waits for the clipboard
# to hold the expected text.
expect_copied() {
    local expected=$1 what=$2
    xdotool key ctrl+a ctrl+c
    wait_for 5 clipboard_is "$expected" ||
        fail "$what: expected '$expected', clipboard holds '$(xclip -o -selection clipboard 2>/dev/null)'"
}

# Puts a marker in the clipboard, so that a later copy is seen to replace it.
mark_clipboard() {
    printf 'marker-%s' "$RANDOM" | xclip -selection clipboard
}

# Waits for the program to end by itself and checks its exit status is 0.
expect_clean_exit() {
    wait_for 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "the program did not end"
    local status=0
    wait "$APP_PID" || status=$?
    APP_PID=""
    [ "$status" -eq 0 ] || fail "exit status $status"
}

# With the focus in the real-weight field, as the window opens: computes
# 85.5 and 70 and reads the result back.
compute_typical() {
    type_text "85.5"
    click $TXT_PESO_ID
    type_text "70"
    click $CMD_CALCOLA
    click $TXT_TARVELO
    mark_clipboard
    expect_copied "76,2" "result of 85.5 and 70"
}

# Rectangles of the controls in window pixels (twips / 15).
TXT_PESO_RE="216 120 57 17"
TXT_PESO_ID="216 152 57 17"
TXT_TARVELO="216 368 57 17"
CMD_CALCOLA="144 328 81 25"
CMD_CANCELLA="24 408 81 25"
CMD_USCITA="256 408 81 25"
