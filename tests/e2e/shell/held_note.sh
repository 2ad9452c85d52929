#!/usr/bin/env bash
# The piano ends with a key held: the held key's note-off reaches the MIDI port before All
# Notes Off on every channel and the port's closing. HELD_NOTE_END says how it ends:
#   sigterm   SIGTERM runs the normal shut-down; exit status 0
#   display   the X server goes away; the sound's shut-down runs before Qt ends the program
#             with status 1
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup
kb_start_piano_on_monitor
log=$(e2e_monitor_log)

xdotool keydown z
e2e_wait_line "$log" "$(kb_msg 90 48 7f)" 10 || e2e_fail "Z did not play"
case ${HELD_NOTE_END:-sigterm} in
sigterm)
    kill -TERM "$E2E_PIANO_PID"
    e2e_wait_piano_exit "SIGTERM"
    xdotool keyup z
    expected=0
    ;;
display)
    kill -KILL "$E2E_XVFB_PID"
    e2e_wait_piano_exit "without its display"
    expected=1
    ;;
esac
[ "$E2E_PIANO_STATUS" -eq $expected ] ||
    e2e_fail "${HELD_NOTE_END:-sigterm}: exit status $E2E_PIANO_STATUS, not $expected"

e2e_wait_line "$log" "$(kb_msg 80 48 00)" 5 || e2e_fail "no note-off for the held Z"
e2e_wait_quiet "$log" || e2e_fail "the monitor did not come to rest"
for channel in 0 1 2 3 4 5 6 7 8 9 a b c d e f; do
    grep -Eq "$(kb_msg b$channel 7b 00)" "$log" || e2e_fail "no All Notes Off on channel $channel"
done
off_line=$(grep -nE "$(kb_msg 80 48 00)" "$log" | head -n1 | cut -d: -f1)
all_off_line=$(grep -nE "$(kb_msg b0 7b 00)" "$log" | head -n1 | cut -d: -f1)
[ "$off_line" -lt "$all_off_line" ] || e2e_fail "the note-off came after All Notes Off"
kb_no_hanging_notes "$log" || e2e_fail "a note was left sounding"
echo "${HELD_NOTE_END:-sigterm} stops the held note: ok"
