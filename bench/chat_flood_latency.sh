#!/usr/bin/env bash
# Key press to MIDI in a piano that is in a session, first quiet and then while the server
# streams chat lines at RATE a second: XTest press to (a) the note-on at the piano's MIDI output
# layer (TAMBER_TRACE_MIDI) and (b) the JACK cycle in which it reaches a JACK port (32-frame
# period), PRESSES presses each, with the piano's CPU in each phase. The server is chat-flood,
# a relay stand-in, in a private network namespace (the port is fixed). At the end the chat
# window must hold the newest 5,000 lines, the last line sent among them.
#   bench/chat_flood_latency.sh BUILD_DIR [presses] [rate]
set -euo pipefail
# The script re-executes itself (network namespace, private /dev/shm), so what it was told
# travels in the environment.
if [ -z "${CFL_BUILD:-}" ]; then
    here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
    export CFL_BUILD=$(readlink -f "${1:?build directory}")
    export CFL_PRESSES=${2:-200} CFL_RATE=${3:-20000}
    export CFL_LIB="$here/latency_lib.sh"
    export E2E_HARNESS="$here/../tests/e2e/harness.sh" SESS_LIB="$here/../tests/e2e/session/lib.sh"
    export BIN="$CFL_BUILD/bin" E2E_JACK_PERIOD=32
    for tool in keyboard_latency chat-flood TamberPiano midi-port-index; do
        [ -x "$BIN/$tool" ] || {
            echo "build it first: ninja -C $CFL_BUILD keyboard_latency chat-flood TamberPiano" \
                "midi-port-index" >&2
            exit 1
        }
    done
fi
presses=$CFL_PRESSES
settle=10 # presses left out while the flood starts

source "$E2E_HARNESS"
source "$SESS_LIB"
source "$CFL_LIB"
sess_enter_netns "$@"
e2e_setup

mkfifo "$E2E_DIR/flood-in"
"$BIN/chat-flood" 9050 "$CFL_RATE" <"$E2E_DIR/flood-in" >"$E2E_DIR/flood.txt" 2>&1 &
E2E_PIDS+=($!)
exec 8>"$E2E_DIR/flood-in"
e2e_wait_line "$E2E_DIR/flood.txt" '^listening' 10 || e2e_fail "chat-flood did not start"

total=$((2 * presses + settle))
start_key_presser_and_piano "$total"
main=$(e2e_main_window)
chat=$(sess_join "$E2E_PIANO_PID" "$main")
e2e_wait_line "$E2E_DIR/flood.txt" '^joined' 10 || e2e_fail "the piano did not join"
xdotool windowmove "$chat" 600 0
e2e_focus "$main"
sleep 0.5

wait_presses() { # N
    while [ "$(key_presses | wc -l)" -lt "$1" ]; do
        kill -0 "$KEY_PRESSER_PID" 2>/dev/null || e2e_fail "the key presser ended early"
        sleep 0.05
    done
}

echo go >&7
t0=$(cpu_ticks "$E2E_PIANO_PID")
wait_presses "$presses"
t1=$(cpu_ticks "$E2E_PIANO_PID")
echo flood >&8
e2e_wait_line "$E2E_DIR/flood.txt" '^flood-start' 10 || e2e_fail "the flood did not start"
wait_presses $((presses + settle))
t2=$(cpu_ticks "$E2E_PIANO_PID")
wait "$KEY_PRESSER_PID" || e2e_fail "benchmark failed"
t3=$(cpu_ticks "$E2E_PIANO_PID")
echo stop >&8
e2e_wait_line "$E2E_DIR/flood.txt" '^flood-stop' 10 || e2e_fail "the flood did not stop"

# Each press is paired with the note-on the trace has for it, in order (user 1: channel 1).
key_presses >"$E2E_DIR/p.txt"
grep ' 91 48 7f$' "$KEY_TRACE" | cut -d' ' -f1 >"$E2E_DIR/ons.txt"
paste -d' ' "$E2E_DIR/p.txt" "$E2E_DIR/ons.txt" >"$E2E_DIR/paired.txt"
echo "presses $(wc -l <"$E2E_DIR/p.txt"), note-ons traced $(wc -l <"$E2E_DIR/ons.txt")," \
    "JACK period $E2E_JACK_PERIOD frames at 48 kHz"
phase() { # FIRST LAST LABEL: presses FIRST..LAST (1-based)
    sed -n "$1,$2p" "$E2E_DIR/paired.txt" >"$E2E_DIR/phase.txt"
    awk 'NF == 4 { print ($4 - $1) / 1e6 }' "$E2E_DIR/phase.txt" |
        stats "$3 (a) XTest press -> MIDI output layer"
    awk '$3 > 0 { print ($3 - $1) / 1e6 }' "$E2E_DIR/phase.txt" |
        stats "$3 (b) XTest press -> JACK port"
}
phase 1 "$presses" "quiet"
phase $((presses + settle + 1)) "$total" "flood"
hz=$(getconf CLK_TCK)
echo "piano CPU: quiet $((t1 - t0)) ticks, flood $((t3 - t2)) ticks (of $hz a second)" \
    "over $presses presses each"
sed -n 's/^flood-stop [0-9]* /flood: /p' "$E2E_DIR/flood.txt"

# The transcript holds the newest 5,000 lines once the piano has read everything.
last=$(sed -n 's/^flood-stop .* last //p' "$E2E_DIR/flood.txt")
text=""
for _ in $(seq 30); do
    sleep 1
    text=$(sess_transcript "$chat")
    [ "$(tail -n1 <<<"$text")" = "$last" ] && break
done
e2e_focus "$main"
echo "transcript: $(wc -l <<<"$text") lines, last '$(tail -n1 <<<"$text")'"
[ "$(tail -n1 <<<"$text")" = "$last" ] || e2e_fail "the transcript does not end with '$last'"
[ "$(wc -l <<<"$text")" = 5000 ] || e2e_fail "the transcript does not hold 5,000 lines"
echo "JACK xruns during the run: $(grep -c 'XRun' "$E2E_DIR/jackd.log" || true)"
