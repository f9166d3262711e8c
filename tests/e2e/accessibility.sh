#!/usr/bin/env bash
# End to end through the accessibility bus: the real program in its own X
# server and its own D-Bus session, read and driven through AT-SPI.
# Usage: accessibility.sh PATH/TO/tarvelo
set -euo pipefail
if [ -z "${TARVELO_IN_SESSION:-}" ]; then
    # The session bus, the accessibility bus and the registry live and die
    # with this run.
    TARVELO_IN_SESSION=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/xsession.sh"
APP=$1

start_x
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_app "$APP"
# The system's Python, which has the AT-SPI bindings.
/usr/bin/python3 "$(dirname "$0")/atspi_check.py"

expect_clean_exit
echo "ok: Uscita, pressed through its action, ends the program with status 0"
