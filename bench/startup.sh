#!/usr/bin/env bash
# Whole-process figures: start to first painted frame and peak memory of the
# program, beside an empty Qt Widgets window, measured alternately in one run.
set -euo pipefail

build="${LIRASTO_BENCH_BUILD:?set LIRASTO_BENCH_BUILD to a build configured with -DLIRASTO_BUILD_BENCH=ON}"
exec "$build/bench/process/startup_probe" --runs "${LIRASTO_STARTUP_RUNS:-10}" \
    "$build/app/lirasto" "$build/bench/process/empty_window"
