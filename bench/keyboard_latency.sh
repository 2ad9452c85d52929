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
e2e_setup

mkfifo "$E2E_DIR/go"
"$BIN/keyboard_latency" "$presses" z <"$E2E_DIR/go" >"$E2E_DIR/presses.txt" 2>"$E2E_DIR/bench.log" &
E2E_PIDS+=($!)
bench_pid=$!
exec 7>"$E2E_DIR/go"
e2e_wait_line "$E2E_DIR/presses.txt" '^ready' 10 || e2e_fail "no benchmark port"
e2e_settings "$(e2e_output_index keyboard-latency)" -1 1
trace="$E2E_DIR/trace.txt"
e2e_start_piano TAMBER_TRACE_MIDI="$trace"
window=$(e2e_main_window)
e2e_wait_line "$trace" ' c0 00 00$' 10 || e2e_fail "no program change in the trace"
e2e_focus "$window"
echo go >&7
wait "$bench_pid" || e2e_fail "benchmark failed"

stats() { # label, values in ms on stdin
    sort -g | awk -v label="$1" '{ v[NR] = $1; s += $1 }
        END { if (NR == 0) { print label ": no data"; exit }
              i50 = int(0.50 * (NR - 1) + 0.5) + 1; i99 = int(0.99 * (NR - 1) + 0.5) + 1
              printf "%s: n %d, p50 %.3f ms, p99 %.3f ms, min %.3f ms, max %.3f ms, mean %.3f ms\n",
                     label, NR, v[i50], v[i99], v[1], v[NR], s / NR }'
}
grep -v '^ready' "$E2E_DIR/presses.txt" >"$E2E_DIR/p.txt"
grep ' 90 48 7f$' "$trace" | cut -d' ' -f1 >"$E2E_DIR/ons.txt"
echo "presses $(wc -l <"$E2E_DIR/p.txt"), note-ons traced $(wc -l <"$E2E_DIR/ons.txt")"
paste -d' ' "$E2E_DIR/p.txt" "$E2E_DIR/ons.txt" | awk 'NF == 4 { print ($4 - $1) / 1e6 }' |
    stats "(a) XTest press -> MIDI output layer (Tamber Piano)"
awk '$3 > 0 { print ($3 - $1) / 1e6 }' "$E2E_DIR/p.txt" |
    stats "(b) XTest press -> JACK port, 32-frame period (0.667 ms)"

ticks() { awk '{ print $14 + $15 }' "/proc/$E2E_PIANO_PID/stat"; }
sleep 1
before=$(ticks)
sleep 10
after=$(ticks)
echo "idle CPU over 10 s: $((after - before)) ticks of $(getconf CLK_TCK)/s"
