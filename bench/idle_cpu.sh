#!/usr/bin/env bash
# Idle cost of the running program under a virtual display: the CPU time it
# uses over a quiet stretch with the game page in front and no run going on,
# measured beside the same stretch with the information page in front (where
# the credits line scrolls), which is the baseline of the ratio, and then with the window minimised.
# LIRASTO_IDLE_JACK=1 runs a private JACK server (dummy driver) beside the program, so that the
# program's MIDI input sits in a JACK graph while it idles.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="${LIRASTO_BENCH_BUILD:-$ROOT/build}"
BIN="$(cd "$BUILD" && pwd)/app/lirasto"
SECONDS_MEASURED="${LIRASTO_IDLE_SECONDS:-10}"
[ -x "$BIN" ] || { echo "idle_cpu: $BIN not built" >&2; exit 1; }

display=""
for n in $(seq 140 180); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "idle_cpu: no free display" >&2; exit 1; }

work="$(mktemp -d)"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
pid=""
jack=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    [ -n "$jack" ] && kill "$jack" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

if [ "${LIRASTO_IDLE_JACK:-0}" = 1 ]; then
    export JACK_DEFAULT_SERVER="lirasto-idle-$$"
    jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 1024 >/dev/null 2>&1 &
    jack=$!
    for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
    jack_lsp >/dev/null 2>&1 || { echo "idle_cpu: the JACK server did not start" >&2; exit 1; }
    echo "JACK server $JACK_DEFAULT_SERVER running"
fi

(cd "$work" && exec "$BIN") >/dev/null 2>&1 &
pid=$!
sleep 3 # start-up and the first paint settle

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
hz="$(getconf CLK_TCK)"

measure() {
    local before after
    before="$(cpu_ticks)"
    sleep "$SECONDS_MEASURED"
    after="$(cpu_ticks)"
    echo $((after - before))
}

game_ticks="$(measure)"
# Without a window manager the window's client area starts at its stored position (192, 110);
# the "Information" tab lies about 97 pixels right of it in the tab bar.
xdotool mousemove 289 122 click 1
sleep 1
info_ticks="$(measure)"
# Minimising: with no window manager to iconify it, the window is unmapped, which is what a window
# manager does to an iconified window.
win="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)"
min_ticks=""
if [ -n "$win" ]; then
    xdotool windowunmap "$win"
    sleep 1
    min_ticks="$(measure)"
fi

awk -v g="$game_ticks" -v i="$info_ticks" -v m="$min_ticks" -v hz="$hz" -v s="$SECONDS_MEASURED" 'BEGIN {
    gp = 100 * g / hz / s; ip = 100 * i / hz / s;
    printf "idle, game page in front:        %5.2f %% CPU (%d ticks of 1/%d s in %d s)\n", gp, g, hz, s;
    printf "information page, credits moving: %5.2f %% CPU (%d ticks in %d s)\n", ip, i, s;
    if (i > 0) printf "ratio idle / scrolling: %.3f\n", g / i; else print "ratio idle / scrolling: n/a (no ticks while scrolling)";
    if (m != "") printf "information page, minimised:     %5.2f %% CPU (%d ticks in %d s)\n", 100 * m / hz / s, m, s;
}'
