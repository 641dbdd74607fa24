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
BUILD="$(cd "${LIRASTO_BENCH_BUILD:-$ROOT/build}" && pwd)"
BIN="$BUILD/app/lirasto"
YARDSTICK="$BUILD/bench/process/scroll_window"
SECONDS_MEASURED="${LIRASTO_IDLE_SECONDS:-10}"
[ -x "$BIN" ] || { echo "idle_cpu: $BIN not built" >&2; exit 1; }

work="$(mktemp -d)"
servers=()
programs=()
jack=""
cleanup() {
    local p
    for p in "${programs[@]}" $jack "${servers[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# Starts a private Xvfb and prints its display name.
next_display=140
start_display() {
    local n
    for n in $(seq "$next_display" 199); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
            servers+=($!)
            next_display=$((n + 1))
            for _ in $(seq 50); do DISPLAY=":$n" xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
            display=":$n"
            return
        fi
    done
    echo "idle_cpu: no free display" >&2
    exit 1
}

# Starts a program on the given display in the scratch folder; its pid lands in $started.
start_program() {
    local on="$1"
    shift
    (cd "$work" && DISPLAY="$on" exec "$@") >/dev/null 2>&1 &
    started=$!
    programs+=("$started")
}

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

# The kernel's user and system times are tick samples: a whole tick (4 ms at 250 Hz) goes to
# the thread that runs when it fires, a few dozen samples in a run here. The scheduler's own
# count of each thread's run time (schedstat, nanoseconds) is exact; both are given, the exact
# figure first. Prints "ticks:pid ticks" and one "thread nanoseconds" line per live thread: a thread
# that ends on the way (Qt's pooled threads end after a while idle) takes its count with it,
# so threads are matched by id.
snapshot() {
    local p t
    for p in "$@"; do
        awk -v p="$p" '{ print "ticks:" p, $14 + $15 }' "/proc/$p/stat"
        for t in /proc/"$p"/task/*; do
            echo "${t##*/} $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null || echo 0) $p"
        done
    done
}

# Measures the given processes over the same stretch; prints "nanoseconds ticks" for each, in order.
measure() {
    local before after p
    before="$(snapshot "$@")"
    sleep "$SECONDS_MEASURED"
    after="$(snapshot "$@")"
    for p in "$@"; do
        awk -v p="$p" 'NR == FNR { start[$1] = $2; next }
            $1 == "ticks:" p { ticks = $2 - start[$1] }
            NF == 3 && $3 == p { ns += $2 - start[$1] }
            END { printf "%d %d\n", ns, ticks }' <(echo "$before") <(echo "$after")
    done
}

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
