#!/usr/bin/env bash
# Input latency from outside, on a private X server: a mouse press on a piano key
# to its highlight painted and the release to the verdict painted, beside a
# minimal Qt widget measured in turns; and a MIDI note-on to the highlight painted.
set -euo pipefail

build="${LIRASTO_BENCH_BUILD:?set LIRASTO_BENCH_BUILD to a build configured with -DLIRASTO_BUILD_BENCH=ON}"
probe="$build/bench/process/input_latency"

echo "== mouse press and release on the piano, beside a minimal widget"
"$probe" mouse "$build/app/lirasto" "$build/bench/process/press_window" --presses "${LIRASTO_LATENCY_PRESSES:-200}"
echo "== MIDI note-on to the highlight"
"$probe" midi "$build/app/lirasto" --notes "${LIRASTO_LATENCY_NOTES:-200}"
