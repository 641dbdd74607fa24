#!/usr/bin/env bash
# The cost of a line in time: the CPU time of the program playing a line at a tempo, its
# metronome clicking through a private JACK server (dummy driver), against the same program
# idle on the game page, both over the same stretch on displays of their own, so that they
# meet the same machine. The idle one has closed its sound output by then, as it does after
# a few seconds of silence; no one plays, so every note of the line is missed and recorded.
#
# LIRASTO_TEMPO_BPM (120) sets the tempo, LIRASTO_TEMPO_PERIOD (256) the JACK period.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BPM="${LIRASTO_TEMPO_BPM:-120}"

source "$ROOT/bench/process_cpu.sh"

export JACK_DEFAULT_SERVER="lirasto-tempo-$$"
jackd --no-realtime -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p "${LIRASTO_TEMPO_PERIOD:-256}" >/dev/null 2>&1 &
jack=$!
for _ in $(seq 100); do jack_lsp >/dev/null 2>&1 && break; sleep 0.1; done
jack_lsp >/dev/null 2>&1 || { echo "tempo_cpu: the JACK server did not start" >&2; exit 1; }

# Each keeps its history in the scratch folder, never the user's.
start_display
XDG_DATA_HOME="$work/idle" start_program "$display" "$BIN"
idle="$started"
start_display
XDG_DATA_HOME="$work/tempo" start_program "$display" "$BIN" --exercise line --tempo "$BPM" --notes 8
tempo="$started"
sleep 8 # start-up, the sound loaded, the idle one's output closed after its silence

{ read -r idle_cpu; read -r tempo_cpu; } < <(measure "$idle" "$tempo")
jack_lsp | grep -q "Lirasto Notes-0[0-9]*:" || echo "tempo_cpu: no sound output of the program in the JACK graph" >&2

awk -v i="$idle_cpu" -v t="$tempo_cpu" -v s="$SECONDS_MEASURED" -v bpm="$BPM" '
function pct(figures,    f) { split(figures, f, " "); return f[1] / 1e7 / s; }
BEGIN {
    printf "idle, game page in front:            %5.2f %% CPU\n", pct(i);
    printf "a line at %3d BPM with the metronome: %5.2f %% CPU\n", bpm, pct(t);
    printf "above idle: %.2f %% of a core; ratio %.2f\n", pct(t) - pct(i), (pct(i) > 0 ? pct(t) / pct(i) : 0);
}'
