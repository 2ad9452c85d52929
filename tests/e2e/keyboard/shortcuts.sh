#!/usr/bin/env bash
# Menu shortcuts are not notes: Ctrl+N opens "New..." and Alt+O the Options menu with nothing
# at the MIDI monitor, though N and O are keys of the keymap; plain N plays afterwards.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup
kb_start_piano_on_monitor
window=$KB_WINDOW
log=$(e2e_monitor_log)

xdotool key ctrl+n
dialog=$(e2e_wait_window '^New Recording$' 10) || e2e_fail "Ctrl+N opened no New Recording dialog"
e2e_focus "$dialog"
xdotool key Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^New Recording$' >/dev/null 2>&1 || break
    sleep 0.1
done
e2e_focus "$window"
windows=$(e2e_window_count "$E2E_PIANO_PID")
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+o
e2e_key_until_windows "$E2E_PIANO_PID" "$windows" Escape
e2e_focus "$window"
[ "$(e2e_count_lines "$log" ': [89]')" -eq 0 ] || e2e_fail "a shortcut sounded a note"

# N (offset 9: note 81) plays on its own.
kb_tap n
e2e_wait_line "$log" "$(kb_msg 80 51 00)" 10 || e2e_fail "N did not play after the shortcuts"
[ "$(e2e_count_lines "$log" ': [89]')" -eq 2 ] || e2e_fail "more than N's note-on and note-off"
echo "keyboard shortcuts: ok"
