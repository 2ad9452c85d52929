#!/usr/bin/env bash
# Key press to MIDI over N presses of Z: (a) XTest press to the moment the piano hands the
# note-on to its MIDI output layer (TAMBER_TRACE_MIDI), (b) to the JACK cycle in which it
# reaches a JACK MIDI port, with a 32-frame period; then the piano's idle CPU.
#   bench/keyboard_latency.sh <build dir> [presses]
# The harness may run the script again (in a namespace of its own) without its arguments.
export KBL_BUILD=${KBL_BUILD:-$(cd "${1:?build dir}" && pwd)} KBL_PRESSES=${KBL_PRESSES:-${2:-200}}
build=$KBL_BUILD
presses=$KBL_PRESSES
export BIN="$build/bin" E2E_JACK_PERIOD=32
source "$(dirname "$0")/../tests/e2e/harness.sh"
source "$(dirname "$0")/latency_lib.sh"
e2e_setup

start_key_presser_and_piano "$presses"
e2e_focus "$(e2e_main_window)"
echo go >&7
wait "$KEY_PRESSER_PID" || e2e_fail "benchmark failed"

key_presses >"$E2E_DIR/p.txt"
grep ' 90 48 7f$' "$KEY_TRACE" | cut -d' ' -f1 >"$E2E_DIR/ons.txt"
echo "presses $(wc -l <"$E2E_DIR/p.txt"), note-ons traced $(wc -l <"$E2E_DIR/ons.txt")"
paste -d' ' "$E2E_DIR/p.txt" "$E2E_DIR/ons.txt" | awk 'NF == 4 { print ($4 - $1) / 1e6 }' |
    stats "(a) XTest press -> MIDI output layer (Tamber Piano)"
awk '$3 > 0 { print ($3 - $1) / 1e6 }' "$E2E_DIR/p.txt" |
    stats "(b) XTest press -> JACK port, 32-frame period (0.667 ms)"

sleep 1
before=$(cpu_ticks "$E2E_PIANO_PID")
sleep 10
after=$(cpu_ticks "$E2E_PIANO_PID")
echo "idle CPU over 10 s: $((after - before)) ticks of $(getconf CLK_TCK)/s"
