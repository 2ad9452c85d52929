#!/usr/bin/env bash
# SIGTERM with a key held runs the normal shut-down: the held key's note-off reaches the MIDI
# port before All Notes Off and the port's closing, and the piano exits 0.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup
kb_start_piano_on_monitor
log=$(e2e_monitor_log)

xdotool keydown z
e2e_wait_line "$log" "$(kb_msg 90 48 7f)" 10 || e2e_fail "Z did not play"
kill -TERM "$E2E_PIANO_PID"
status=0
for _ in $(seq 100); do
    kill -0 "$E2E_PIANO_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$E2E_PIANO_PID" 2>/dev/null && e2e_fail "the piano is still running after SIGTERM"
wait "$E2E_PIANO_PID" || status=$?
xdotool keyup z
[ "$status" -eq 0 ] || e2e_fail "SIGTERM: exit status $status"

e2e_wait_line "$log" "$(kb_msg 80 48 00)" 5 || e2e_fail "no note-off for the held Z"
off_line=$(grep -nE "$(kb_msg 80 48 00)" "$log" | head -n1 | cut -d: -f1)
all_off_line=$(grep -nE "$(kb_msg b0 7b 00)" "$log" | head -n1 | cut -d: -f1)
[ -n "$all_off_line" ] || e2e_fail "no All Notes Off"
[ "$off_line" -lt "$all_off_line" ] || e2e_fail "the note-off came after All Notes Off"
kb_no_hanging_notes "$log" || e2e_fail "a note was left sounding"
echo "SIGTERM stops the held note: ok"
