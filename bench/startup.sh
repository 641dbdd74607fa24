#!/usr/bin/env bash
# Whole-process figures: start to first painted frame and peak memory of the
# program, beside an empty Qt Widgets window, measured alternately in one run.
# A second round sets it beside the same window with one line of text, which
# separates what the font system costs every program that shows text.
set -euo pipefail

build="${LIRASTO_BENCH_BUILD:?set LIRASTO_BENCH_BUILD to a build configured with -DLIRASTO_BUILD_BENCH=ON}"
runs="${LIRASTO_STARTUP_RUNS:-10}"
probe="$build/bench/process/startup_probe"

echo "== the program beside an empty window"
"$probe" --runs "$runs" "$build/app/lirasto" "$build/bench/process/empty_window"
echo "== the program beside a window with one line of text (for reference)"
"$probe" --runs "$runs" "$build/app/lirasto" "$build/bench/process/text_window"
echo "== the program on a screen scaled by 2 beside itself at 1 (a 2560 x 1600 screen)"
scaled="$(mktemp -d)/lirasto-at-2"
printf '#!/bin/sh\nQT_SCALE_FACTOR=2 exec "%s" "$@"\n' "$build/app/lirasto" > "$scaled"
chmod +x "$scaled"
"$probe" --runs "$runs" --screen 2560x1600 "$scaled" "$build/app/lirasto"
rm -r "$(dirname "$scaled")"
echo "== where the program's start-up goes (inside a copy of its start, offscreen; five fresh processes)"
for _ in 1 2 3 4 5; do
    QT_QPA_PLATFORM=offscreen "$build/bench/process/startup_phases" 2>/dev/null || true
done
