#!/usr/bin/env bash
# The X server goes away while a key is held: before the piano exits (status 1, as Qt ends
# it), the held key's note-off and All Notes Off on every channel reach the MIDI port.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup
kb_start_piano_on_monitor
log=$(e2e_monitor_log)

xdotool keydown z
e2e_wait_line "$log" "$(kb_msg 90 48 7f)" 10 || e2e_fail "Z did not play"
kill -KILL "$E2E_XVFB_PID"
status=0
for _ in $(seq 100); do
    kill -0 "$E2E_PIANO_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$E2E_PIANO_PID" 2>/dev/null && e2e_fail "the piano is still running without its display"
wait "$E2E_PIANO_PID" || status=$?
[ "$status" -eq 1 ] || e2e_fail "exit status $status without a display, not 1"

e2e_wait_quiet "$log" || e2e_fail "the monitor did not come to rest"
off_line=$(grep -nE "$(kb_msg 80 48 00)" "$log" | head -n1 | cut -d: -f1)
[ -n "$off_line" ] || e2e_fail "no note-off for the held Z"
for channel in 0 1 2 3 4 5 6 7 8 9 a b c d e f; do
    grep -Eq "$(kb_msg b$channel 7b 00)" "$log" || e2e_fail "no All Notes Off on channel $channel"
done
all_off_line=$(grep -nE "$(kb_msg b0 7b 00)" "$log" | head -n1 | cut -d: -f1)
[ "$off_line" -lt "$all_off_line" ] || e2e_fail "the note-off came after All Notes Off"
kb_no_hanging_notes "$log" || e2e_fail "a note was left sounding"
echo "lost display stops the held note: ok"
