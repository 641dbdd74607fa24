# Shared by the whole-process CPU measurements (sourced, not run): private displays, programs
# started in a scratch folder, and the exact CPU time of processes over the same stretch.
# The caller sets ROOT, and jack to the pid of a JACK server it starts; whatever was started
# here ends with the script, and the scratch folder goes.

BUILD="$(cd "${LIRASTO_BENCH_BUILD:-$ROOT/build}" && pwd)"
BIN="$BUILD/app/lirasto"
SECONDS_MEASURED="${LIRASTO_IDLE_SECONDS:-10}"
[ -x "$BIN" ] || { echo "$(basename "$0"): $BIN not built" >&2; exit 1; }

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
    echo "$(basename "$0"): no free display" >&2
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

