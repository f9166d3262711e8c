#!/usr/bin/env bash
# Prints every benchmark's figures. Usage: run.sh BUILD_DIR [RUNS]
set -euo pipefail
BUILD=$1 RUNS=${2:-21}
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=xcb LOCPATH=$XDG_RUNTIME_DIR
# The program starts in Italian, in a locale compiled here.
localedef -i it_IT -f UTF-8 -c "$LOCPATH/it_IT.UTF-8"

echo "== Start-up: process start to window mapped, and peak memory, $RUNS runs each"
# A private X server at 96 dots per inch, as the window was designed for.
xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" env LC_ALL=it_IT.UTF-8 \
    "$BUILD/bench/startup" "$RUNS" "$BUILD/bench/bare" "$BUILD/window/tarvelo"
echo
echo "== Calcola on a pasted 1 MB field"
"$BUILD/bench/compute_bench"
echo
echo "== Number texts against the standard library's conversions"
# Google Benchmark 1.8 and later want the unit with the time.
min_time=0.2 && [[ $("$BUILD/bench/number_bench" --help) != *"<float>s"* ]] || min_time=0.2s
"$BUILD/bench/number_bench" --benchmark_min_time=$min_time --benchmark_color=false
