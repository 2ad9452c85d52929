#!/usr/bin/env bash
# Key press in a browser player's page to note-on at a desktop piano's MIDI output, through
# CorventServer --headless --web on loopback, with a 32-frame JACK period (48 kHz). The page
# runs in headless Chromium; the relay, the piano and the browser share a private network
# namespace, with the end-to-end harness's JACK server and display.
#   bench/web_key_latency.sh BUILD_DIR [presses]
set -euo pipefail
# The script re-executes itself (network namespace, private /dev/shm), so what it was told
# travels in the environment.
if [ -z "${WEB_BENCH_DRIVER:-}" ]; then
    build=$(readlink -f "${1:?build directory}")
    here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
    export BIN="$build/bin"
    export E2E_HARNESS="$here/../tests/e2e/harness.sh"
    export SESS_LIB="$here/../tests/e2e/session/lib.sh"
    export E2E_JACK_PERIOD=32
    export WEB_BENCH_PRESSES=${2:-200}
    export WEB_BENCH_DRIVER="$here/web_key_latency.mjs"
    export TAMBER_WEB_MODULES="$here/../web/node_modules"
    [ -x "$BIN/midi-arrivals" ] || {
        echo "build it first: ninja -C $build midi-arrivals TamberPiano CorventServer" >&2
        exit 1
    }
fi

source "$E2E_HARNESS"
source "$SESS_LIB"
sess_enter_netns "$@"
e2e_setup
sess_start_server --web 8080
stdbuf -oL "$BIN/midi-arrivals" web-key-latency >"$E2E_DIR/arrivals.txt" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_line "$E2E_DIR/arrivals.txt" '^ready' 10 || e2e_fail "no measuring port"
sess_start_piano D "$(e2e_output_index web-key-latency)"
main=$(sess_window "$SESS_PID_D" '^Tamber Piano$') || e2e_fail "no main window"
chat=$(sess_join "$SESS_PID_D" "$main")
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: ' 10 || e2e_fail "the piano did not join"
xdotool windowmove "$chat" 600 0

echo "== key press in the browser -> note-on at the desktop piano's MIDI output ($WEB_BENCH_PRESSES presses)"
ARRIVALS="$E2E_DIR/arrivals.txt" node "$WEB_BENCH_DRIVER" "$WEB_BENCH_PRESSES" >"$E2E_DIR/latencies.txt" ||
    e2e_fail "the browser driver failed"
source "$(dirname "$(readlink -f "$WEB_BENCH_DRIVER")")/latency_lib.sh"
stats "browser key -> desktop MIDI out" <"$E2E_DIR/latencies.txt"
echo "JACK xruns during the run: $(grep -c 'XRun' "$E2E_DIR/jackd.log" || true)"
