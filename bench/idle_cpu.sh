#!/usr/bin/env bash
# Idle cost of the running program under a virtual display: the CPU time it
# uses over a quiet stretch with the game page in front and no run going on,
# the same stretch with the information page in front (where the credits line
# scrolls) and then with the window minimised.
#
# The baselines run at the same time as the information page, each on a
# display of its own, so that they meet the same machine: on a virtual machine
# the cost of a thread wake-up drifts by half from one minute to the next.
# Both are scroll_window: the plainest Qt Widgets scroller of the credits
# line's size and pace, and with --floor the least the credits line's design
# can cost (a worker thread that sleeps 25 ms and posts each step, and a window
# that repaints one pixel a step).
#
# LIRASTO_IDLE_JACK=1 runs a private JACK server (dummy driver) beside the program, so that the
# program's MIDI input sits in a JACK graph while it idles.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"

source "$ROOT/bench/process_cpu.sh"
YARDSTICK="$BUILD/bench/process/scroll_window"

start_display
main_display="$display"
export DISPLAY="$main_display"

if [ "${LIRASTO_IDLE_JACK:-0}" = 1 ]; then
    export JACK_DEFAULT_SERVER="lirasto-idle-$$"
    jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 1024 >/dev/null 2>&1 &
    jack=$!
    for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
    jack_lsp >/dev/null 2>&1 || { echo "idle_cpu: the JACK server did not start" >&2; exit 1; }
    echo "JACK server $JACK_DEFAULT_SERVER running"
fi

start_program "$main_display" "$BIN"
pid="$started"
sleep 3 # start-up and the first paint settle

game_cpu="$(measure "$pid")"

# Without a window manager the window's client area starts at its stored position (192, 110);
# the "Information" tab lies about 97 pixels right of it in the tab bar.
xdotool mousemove 289 122 click 1
yard_cpu=""
floor_cpu=""
if [ -x "$YARDSTICK" ]; then
    start_display
    start_program "$display" "$YARDSTICK"
    yard="$started"
    start_display
    start_program "$display" "$YARDSTICK" --floor
    floor="$started"
    sleep 3
    { read -r info_cpu; read -r yard_cpu; read -r floor_cpu; } < <(measure "$pid" "$yard" "$floor")
    kill "$yard" "$floor"
else
    sleep 1
    info_cpu="$(measure "$pid")"
fi

# Minimising: with no window manager to iconify it, the window is unmapped, which is what a window
# manager does to an iconified window.
win="$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)"
min_cpu=""
if [ -n "$win" ]; then
    xdotool windowunmap "$win"
    sleep 1
    min_cpu="$(measure "$pid")"
fi

hz="$(getconf CLK_TCK)"
awk -v g="$game_cpu" -v i="$info_cpu" -v m="$min_cpu" -v y="$yard_cpu" -v f="$floor_cpu" -v hz="$hz" -v s="$SECONDS_MEASURED" '
function line(label, figures,    f) {
    split(figures, f, " ");
    printf "%s %5.2f %% CPU (%.1f ms run in %d s; by tick samples %.2f %%, %d ticks of 1/%d s)\n",
           label, f[1] / 1e7 / s, f[1] / 1e6, s, 100 * f[2] / hz / s, f[2], hz;
    return f[1];
}
BEGIN {
    line("idle, game page in front:         ", g);
    in_ = line("information page, credits moving: ", i);
    if (m != "") line("information page, minimised:      ", m);
    if (y != "") {
        yn = line("baseline, plain Qt scroller:       ", y);
        fn = line("baseline, floor of the design:     ", f);
        if (yn > 0) printf "ratio credits line / plain Qt scroller: %.3f\n", in_ / yn;
        if (fn > 0) printf "ratio credits line / floor of the design: %.3f\n", in_ / fn;
    }
}'
