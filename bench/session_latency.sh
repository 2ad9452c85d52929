#!/usr/bin/env bash
# Key press in piano A to note-on at piano B's MIDI output, through CorventServer --headless
# on loopback, with a 32-frame JACK period (48 kHz). Everything runs in a private network
# namespace (the relay's port is fixed), with the end-to-end harness's JACK server and display.
#   bench/session_latency.sh BUILD_DIR [notes]
set -euo pipefail
# The script re-executes itself (network namespace, private /dev/shm), so what it was told
# travels in the environment.
if [ -z "${SESS_TOOL:-}" ]; then
    build=$(readlink -f "${1:?build directory}")
    here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
    export BIN="$build/bin"
    export E2E_HARNESS="$here/../tests/e2e/harness.sh"
    export SESS_LIB="$here/../tests/e2e/session/lib.sh"
    export E2E_JACK_PERIOD=32
    export SESS_NOTES=${2:-200}
    export SESS_TOOL="$build/bin/session_latency"
    [ -x "$SESS_TOOL" ] || {
        echo "build it first: ninja -C $build session_latency" >&2
        exit 1
    }
fi

source "$E2E_HARNESS"
source "$SESS_LIB"
sess_enter_netns "$@"
e2e_setup
sess_start_server
coproc TOOL { "$SESS_TOOL" "$SESS_NOTES" z 0x91; }
E2E_PIDS+=($TOOL_PID)
read -r line <&"${TOOL[0]}"
[ "$line" = ready ] || e2e_fail "the measuring client did not start"
sess_start_piano A "$(e2e_output_index session-latency:near)"
sess_start_piano B "$(e2e_output_index session-latency:far)"
mainA=$(sess_window "$SESS_PID_A" '^Tamber Piano$') || e2e_fail "no main window of piano A"
mainB=$(sess_window "$SESS_PID_B" '^Tamber Piano$') || e2e_fail "no main window of piano B"
chatA=$(sess_join "$SESS_PID_A" "$mainA")
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: ' 10 || e2e_fail "A did not join"
chatB=$(sess_join "$SESS_PID_B" "$mainB")
e2e_wait_line "$E2E_DIR/server.log" '^2\. User2: ' 10 || e2e_fail "B did not join"
xdotool windowmove "$mainB" 0 300
xdotool windowmove "$chatA" 600 0
xdotool windowmove "$chatB" 600 300
e2e_focus "$mainA"
sleep 0.5
echo "== key press in piano A -> note-on at piano B's MIDI output ($SESS_NOTES notes)"
echo go >&"${TOOL[1]}"
cat <&"${TOOL[0]}"
echo "JACK xruns during the run: $(grep -c 'XRun' "$E2E_DIR/jackd.log" || true)"
