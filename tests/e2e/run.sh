#!/usr/bin/env bash
# End to end: the real program in a private X server, with the accessibility
# bus in a private D-Bus session; check.py drives it with real keys and clicks
# and reads it as a screen reader does. With "weston" or "sway" the program
# runs in that Wayland compositor, which runs inside that X server.
# Usage: run.sh SESSION BEHAVIOUR PATH/TO/tarvelo [SCREENSHOT.png]   (see check.py)
set -euo pipefail
frames=$(mktemp -d) && trap 'rm -rf "$frames"' EXIT
# The program runs in Italian: the locale is compiled here, into a folder of
# the test's own, whatever the machine has generated.
localedef -i it_IT -f UTF-8 -c "$frames/it_IT.UTF-8" && export LOCPATH=$frames
# The X server keeps its screen in $frames/Xvfb_screen0, for the screenshot.
xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp -fbdir $frames" \
    dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/check.py" "$frames" "$@"
