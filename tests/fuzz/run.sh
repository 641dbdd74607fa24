#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and runs each.
#
#   tests/fuzz/run.sh [seconds]           fuzz every target for that long (60 s by default)
#   tests/fuzz/run.sh --short [seconds]   replay the regression inputs, then fuzz briefly (5 s) - for ./dev test
#   tests/fuzz/run.sh --seeds             rewrite the committed seed corpus
#
# Inputs the fuzzers find go to the build directory ("$LIRASTO_BUILD_DIR-fuzz", build-fuzz by default); a
# crashing input is written to <build>/artifacts/<target>/ and belongs, once fixed, in regressions/<target>/.
set -euo pipefail

HERE="$(cd "$(dirname "$0")" && pwd)"
ROOT="$(cd "$HERE/../.." && pwd)"
BUILD="${LIRASTO_BUILD_DIR:-$ROOT/build}-fuzz"
JOBS="$(nproc 2>/dev/null || echo 2)"
TARGETS=(design_stream design_text bitmap_record settings wallpaper)

log() { printf '\033[1m[fuzz]\033[0m %s\n' "$*" >&2; }

mode=long
seconds=60
case "${1:-}" in
    --short) mode=short; seconds="${2:-5}" ;;
    --seeds) mode=seeds ;;
    '') ;;
    *[!0-9]*) echo "usage: $0 [seconds] | --short [seconds] | --seeds" >&2; exit 2 ;;
    *) seconds="$1" ;;
esac

if [ ! -f "$BUILD/build.ninja" ]; then
    log "configuring $BUILD"
    cmake -S "$HERE" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
log "building the fuzz targets"
cmake --build "$BUILD" -j "$JOBS"

if [ "$mode" = seeds ]; then
    "$BUILD/fuzz_make_seeds" "$HERE/corpus"
    log "seed corpus written to $HERE/corpus"
    exit 0
fi

# Per target: the largest input worth trying, and the largest single allocation that is not a fault. The
# readers allocate no more than their input holds, but a JPEG header of a few bytes may rightly ask for a
# picture of up to 64 M pixels.
max_len() { case "$1" in wallpaper) echo 16384 ;; *) echo 8192 ;; esac; }
malloc_limit() { case "$1" in wallpaper) echo 600 ;; *) echo 64 ;; esac; }

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()
for t in "${TARGETS[@]}"; do
    bin="$BUILD/fuzz_$t"
    seeds="$HERE/corpus/$t"
    regressions="$HERE/regressions/$t"
    work="$BUILD/corpus/$t"
    artifacts="$BUILD/artifacts/$t/"
    mkdir -p "$work" "$artifacts"
    common=(-max_len="$(max_len "$t")" -malloc_limit_mb="$(malloc_limit "$t")" -rss_limit_mb=2048 -timeout=20
            -artifact_prefix="$artifacts")

    if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions")" ]; then
        log "$t: replaying $(ls -A "$regressions" | wc -l) regression inputs"
        if ! "$bin" "${common[@]}" "$regressions"/* >"$BUILD/$t.replay.log" 2>&1; then
            tail -n 40 "$BUILD/$t.replay.log" >&2
            failed+=("$t (regression)")
            continue
        fi
    fi

    log "$t: fuzzing for ${seconds} s"
    if ! "$bin" "${common[@]}" -max_total_time="$seconds" -print_final_stats=1 "$work" "$seeds" \
        >"$BUILD/$t.log" 2>&1; then
        tail -n 60 "$BUILD/$t.log" >&2
        failed+=("$t")
        continue
    fi
    grep -E '^stat::number_of_executed_units|^stat::new_units_added' "$BUILD/$t.log" | tr '\n' ' ' >&2
    echo >&2
done

if [ "${#failed[@]}" -gt 0 ]; then
    log "FAILED: ${failed[*]} (inputs in $BUILD/artifacts/)"
    exit 1
fi
log "all fuzz targets passed"
