#!/usr/bin/env bash
# A MIDI port chosen as the input device plays the piano: channel-0 notes sound on the local
# channel, while other channels, program and control changes are ignored.
source "$E2E_HARNESS"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_monitor
e2e_start_sender # before the piano: it lists the ports once, at start-up
monitor=$(e2e_output_index midi-monitor)
input=$(e2e_input_index midi-send)
e2e_settings "$monitor" "$input" 1
log=$(e2e_monitor_log)

e2e_start_piano
e2e_main_window >/dev/null
e2e_wait_line "$log" ': c0 00( |$)' 10 || e2e_fail "the output was not opened"
e2e_jack_ask jack_lsp -c midi-send:out | grep -q '^ ' || e2e_fail "the piano did not connect to the input port"

# What must be ignored goes first; once the last note-off is out, everything was handled.
e2e_send "91 3c 64" "81 3c 40" "c0 05" "b0 07 10" "e0 00 50" \
    "90 3c 64" "wait 100" "80 3c 40" \
    "90 3e 50" "wait 100" "90 3e 00"
e2e_wait_line "$log" ': 80 3e 00( |$)' 10 || e2e_fail "the notes from the input did not arrive"

grep -Eq ': 90 3c 64( |$)' "$log" || e2e_fail "no note-on 60 velocity 100 on channel 0"
grep -Eq ': 80 3c 00( |$)' "$log" || e2e_fail "no note-off 60 on channel 0"
grep -Eq ': 90 3e 50( |$)' "$log" || e2e_fail "no note-on 62 velocity 80"
# Note-on then note-off, in that order, and the velocity-0 note-on became a note-off.
order=$(grep -Eo ': [89]0 3[ce] [0-9a-f]{2}' "$log" | cut -c3- | tr '\n' '|')
[ "$order" = "90 3c 64|80 3c 00|90 3e 50|80 3e 00|" ] ||
    e2e_fail "notes out of order or doubled: $order"
[ "$(e2e_count_lines "$log" ': 9[0-9a-f] ')" = 2 ] || e2e_fail "a channel-1 note was played"
[ "$(e2e_count_lines "$log" ': 8[0-9a-f] ')" = 2 ] || e2e_fail "a channel-1 note-off was played"
[ "$(e2e_count_lines "$log" ': c[0-9a-f] ')" = 1 ] || e2e_fail "the program change was passed on"
! grep -Eq ': (b[0-9a-f]|e[0-9a-f]) ' "$log" || e2e_fail "a controller or pitch bend was passed on"
echo "MIDI input: ok"
