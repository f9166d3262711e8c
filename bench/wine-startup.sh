#!/usr/bin/env bash
# Start-up of two builds of the Windows program under Wine, from the process
# start to the window mapped, started in turn in one X server and one Wine
# session: prints the median of each and their ratio. Never fails on timing.
# Usage: wine-startup.sh FIRST/tarvelo.exe SECOND/tarvelo.exe [RUNS]
set -euo pipefail
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" bash "$0" "$@"
fi
runs=${3:-11}
export WINEPREFIX=${WINEPREFIX:-$(mktemp -d)} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -p
trap 'wineserver -k' EXIT
wine cmd /c exit  # the prefix is made before the first start is timed
times=$(mktemp -d)
for run in $(seq "$runs"); do
    for build in 1 2; do
        exe=${!build}
        start=$(date +%s%N)
        wine "$exe" >/dev/null 2>&1 &
        # Wine's windows come and go as it starts: a search may meet one gone.
        until xdotool search --onlyvisible --name '^Calcolo del Tarvelo$' >/dev/null 2>&1; do
            sleep 0.01
        done
        echo $((($(date +%s%N) - start) / 1000)) >>"$times/$build"
        kill $! 2>/dev/null || true
        wine taskkill /f /im tarvelo.exe >/dev/null 2>&1 || true
        wait 2>/dev/null || true
        while xdotool search --onlyvisible --name '^Calcolo del Tarvelo$' >/dev/null 2>&1; do sleep 0.1; done
    done
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
first=$(median "$times/1") second=$(median "$times/2")
printf 'start-up to the window mapped, median of %d:\n' "$runs"
printf '  %s: %.1f ms\n  %s: %.1f ms\n' "$1" "$((first))e-3" "$2" "$((second))e-3"
awk -v a="$first" -v b="$second" 'BEGIN { printf "  ratio (second / first): %.2f\n", b / a }'
