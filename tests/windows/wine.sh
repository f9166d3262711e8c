#!/usr/bin/env bash
# Runs a Windows program under Wine in a private X server. Wine keeps the
# Unix QT_ variables from Windows programs and hands WINEQT_ ones over as
# QT_; Qt on Windows writes its log to the debugger unless told to use the
# standard error.
# Usage: wine.sh PROGRAM.exe [ARGUMENT...]
set -euo pipefail
for var in $(compgen -e | grep '^QT_' || true); do export "WINE$var=${!var}"; done
export WINEQT_FORCE_STDERR_LOGGING=1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's own processes end with the program, before their X server does.
exec xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" \
    bash -c 'wine "$@"; status=$?; wineserver -k; exit $status' wine "$@"
