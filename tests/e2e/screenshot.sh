#!/usr/bin/env bash
# A picture of the real window after a computation, for the README, at a
# scale factor (default 1); checks that the window has its designed size in
# device pixels at that factor.
# Usage: screenshot.sh PATH/TO/tarvelo PATH/TO/xgrab OUTPUT.png [SCALE]
set -euo pipefail
SCALE=${4:-1}
source "$(dirname "$0")/xsession.sh"
APP=$1 GRAB=$2 OUT=$3

start_x
start_app "$APP"
eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
[ "${WIDTH}x${HEIGHT}" = "$((361 * SCALE))x$((454 * SCALE))" ] ||
    fail "window is ${WIDTH}x${HEIGHT} at scale $SCALE"
echo "ok: the window is ${WIDTH}x${HEIGHT} device pixels at scale $SCALE"
compute_typical
# Leave the focus where a person would look first.
click $TXT_PESO_RE
mkdir -p "$(dirname "$OUT")"
"$GRAB" "$WINDOW" "$OUT"
echo "wrote $OUT"
