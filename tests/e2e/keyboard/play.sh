#!/usr/bin/env bash
# Playing from the computer keyboard into a MIDI port: one note per press, its note-off on
# release, Shift in either order leaves nothing held, digits play notes and never change the
# instrument, and a held key (X repeats it) plays once.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup
kb_start_piano_on_monitor
window=$KB_WINDOW
log=$(e2e_monitor_log)

# Z at base octave 3: note 72 at full velocity on channel 0, then its note-off.
kb_tap z
e2e_wait_line "$log" "$(kb_msg 80 48 00)" 10 || e2e_fail "no note-off for Z"
[ "$(e2e_count_lines "$log" "$(kb_msg 90 48 7f)")" -eq 1 ] || e2e_fail "Z gave not exactly one note-on"
on_line=$(grep -nE "$(kb_msg 90 48 7f)" "$log" | head -n1 | cut -d: -f1)
off_line=$(grep -nE "$(kb_msg 80 48 00)" "$log" | head -n1 | cut -d: -f1)
[ "$on_line" -lt "$off_line" ] || e2e_fail "Z's note-off came before its note-on"

# Shift and a digit, released in either order: Shift changes what the digit's key reports, yet
# its release must still end the note. 2 is offset 13 (note 85), 1 is not mapped.
for digit in 2 1; do
    xdotool keydown Shift_L; sleep 0.05; xdotool keydown "$digit"; sleep 0.05
    xdotool keyup Shift_L; sleep 0.05; xdotool keyup "$digit"; sleep 0.1
    xdotool keydown "$digit"; sleep 0.05; xdotool keydown Shift_L; sleep 0.05
    xdotool keyup "$digit"; sleep 0.05; xdotool keyup Shift_L; sleep 0.1
done
kb_wait_count "$log" "$(kb_msg 80 55 00)" 2 10 || e2e_fail "Shift+2 left note 85 sounding"
[ "$(e2e_count_lines "$log" "$(kb_msg 90 55 7f)")" -eq 2 ] || e2e_fail "Shift+2 did not play twice"

# Every digit of the default keymap plays its note; none of the digits picks an instrument.
declare -A digit_note=([2]=55 [3]=57 [5]=5a [6]=5c [7]=5e [9]=61 [0]=63)
for digit in 1 2 3 4 5 6 7 8 9 0; do
    kb_tap "$digit"
done
for digit in "${!digit_note[@]}"; do
    kb_wait_count "$log" "$(kb_msg 80 "${digit_note[$digit]}" 00)" 1 10 ||
        e2e_fail "digit $digit did not play note 0x${digit_note[$digit]}"
done
[ "$(e2e_count_lines "$log" "$(kb_msg 90 55 7f)")" -eq 3 ] || e2e_fail "2 did not play once more"

# Held for 2 s while X repeats it: still one note-on, one note-off.
xdotool keydown z
sleep 2
xdotool keyup z
kb_wait_count "$log" "$(kb_msg 80 48 00)" 2 10 || e2e_fail "no note-off after holding Z"
[ "$(e2e_count_lines "$log" "$(kb_msg 90 48 7f)")" -eq 2 ] || e2e_fail "holding Z played more than once"

# A last note proves the piano still listens; then nothing may be left sounding.
kb_tap m
e2e_wait_line "$log" "$(kb_msg 80 53 00)" 10 || e2e_fail "M did not play after the rest"
[ "$(e2e_count_lines "$log" ': c0 ')" -eq 1 ] || e2e_fail "the instrument changed"
kb_no_hanging_notes "$log" || e2e_fail "a note was left sounding"
echo "keyboard play: ok"
