# Shared by the key latency benchmarks: source it after the end-to-end harness.

# Starts the XTest key presser (bench/keyboard_latency.cpp) for PRESSES presses of Z, with its
# JACK port "keyboard-latency:in", and the piano playing into that port with its MIDI trace.
# The presser waits for "go" on file descriptor 7. Sets KEY_PRESSER_PID, KEY_TRACE and
# E2E_PIANO_PID; prints the main window's id once the piano's first program change is traced.
start_key_presser_and_piano() { # PRESSES
    mkfifo "$E2E_DIR/go"
    "$BIN/keyboard_latency" "$1" z <"$E2E_DIR/go" >"$E2E_DIR/presses.txt" \
        2>"$E2E_DIR/bench.log" &
    E2E_PIDS+=($!)
    KEY_PRESSER_PID=$!
    exec 7>"$E2E_DIR/go"
    e2e_wait_line "$E2E_DIR/presses.txt" '^ready' 10 || e2e_fail "no benchmark port"
    e2e_settings "$(e2e_output_index keyboard-latency)" -1 1
    KEY_TRACE="$E2E_DIR/trace.txt"
    e2e_start_piano TAMBER_TRACE_MIDI="$KEY_TRACE"
    e2e_wait_line "$KEY_TRACE" ' c0 00 00$' 10 || e2e_fail "no program change in the trace"
}

# The presses so far, one a line: monotonic ns, real-time ns, JACK arrival ns (0: none).
key_presses() { grep -v '^ready' "$E2E_DIR/presses.txt" || true; }

# One line of figures for values in milliseconds, one a line on standard input.
stats() { # LABEL
    sort -g | awk -v label="$1" '{ v[NR] = $1; s += $1 }
        END { if (NR == 0) { print label ": no data"; exit }
              i50 = int(0.50 * (NR - 1) + 0.5) + 1; i99 = int(0.99 * (NR - 1) + 0.5) + 1
              printf "%s: n %d, p50 %.3f ms, p99 %.3f ms, min %.3f ms, max %.3f ms, mean %.3f ms\n",
                     label, NR, v[i50], v[i99], v[1], v[NR], s / NR }'
}

# CPU time a process has used, in clock ticks (getconf CLK_TCK a second).
cpu_ticks() { # PID
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
