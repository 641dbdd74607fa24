#!/usr/bin/env bash
# Idle cost of the running program under a virtual display: the CPU time it
# uses over a quiet stretch with the game page in front and no run going on,
# the same stretch with the information page in front (where the credits line
# scrolls) and then with the window minimised. The baseline, measured in the
# same run on the same display, is scroll_window: the plainest Qt Widgets
# scroller of the credits line's size and pace.
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

# The kernel's user and system times are tick samples: a whole tick (4 ms at 250 Hz) goes to
# the thread that runs when it fires. For a program that wakes 40 times a second for a fraction
# of a millisecond that is a few dozen samples in a run, a spread of 15 % either way. The
# scheduler's own count of each thread's run time (schedstat, nanoseconds) is exact; both are
# given, the exact figure first.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
cpu_ns() { cat /proc/"$pid"/task/*/schedstat 2>/dev/null | awk '{ s += $1 } END { printf "%d\n", s }'; }
hz="$(getconf CLK_TCK)"

# Prints "nanoseconds ticks" used over the measured stretch.
measure() {
    local ticks ns
    ticks="$(cpu_ticks)"
    ns="$(cpu_ns)"
    sleep "$SECONDS_MEASURED"
    echo "$(($(cpu_ns) - ns)) $(($(cpu_ticks) - ticks))"
}

game_cpu="$(measure)"
# Without a window manager the window's client area starts at its stored position (192, 110);
# the "Information" tab lies about 97 pixels right of it in the tab bar.
xdotool mousemove 289 122 click 1
sleep 1
info_cpu="$(measure)"
# Minimising: with no window manager to iconify it, the window is unmapped, which is what a window
# manager does to an iconified window.
win="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)"
min_cpu=""
if [ -n "$win" ]; then
    xdotool windowunmap "$win"
    sleep 1
    min_cpu="$(measure)"
fi

yardstick="$BUILD/bench/process/scroll_window"
yard_cpu=""
if [ -x "$yardstick" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    (cd "$work" && exec "$yardstick") >/dev/null 2>&1 &
    pid=$!
    sleep 3
    yard_cpu="$(measure)"
fi

awk -v g="$game_cpu" -v i="$info_cpu" -v m="$min_cpu" -v y="$yard_cpu" -v hz="$hz" -v s="$SECONDS_MEASURED" '
function line(label, figures,    f) {
    split(figures, f, " ");
    printf "%s %5.2f %% CPU (%.1f ms run in %d s; by tick samples %.2f %%, %d ticks of 1/%d s)\n",
           label, f[1] / 1e7 / s, f[1] / 1e6, s, 100 * f[2] / hz / s, f[2], hz;
    return f[1];
}
BEGIN {
    line("idle, game page in front:        ", g);
    in_ = line("information page, credits moving:", i);
    if (m != "") line("information page, minimised:     ", m);
    if (y != "") {
        yn = line("baseline, plain Qt scroller:      ", y);
        if (yn > 0) printf "ratio credits line / plain Qt scroller: %.3f\n", in_ / yn;
    }
}'
