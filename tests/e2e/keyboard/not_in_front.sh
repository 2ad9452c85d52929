#!/usr/bin/env bash
# Keys play only while the main window is in front: with the About box or the Key Config
# dialog in front, mapped keys play nothing; back in the main window they play again.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_setup
kb_start_piano_on_monitor
window=$KB_WINDOW
log=$(e2e_monitor_log)

# Help > About from the keyboard (Alt+H is a shortcut and plays nothing), then Z and M in the
# About box.
before=$(e2e_count_lines "$log" ': 90 ')
windows=$(e2e_window_count "$E2E_PIANO_PID")
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+h
xdotool key a
about=$(e2e_wait_window '^About Tamber Piano$' 10) || e2e_fail "no About box"
[ "$(e2e_count_lines "$log" ': 90 ')" -eq "$before" ] || e2e_fail "Alt+H played a note"
e2e_focus "$about"
kb_tap z
kb_tap m
e2e_close_box 'About Tamber Piano'

# X in the main window plays; the keys before it, sent earlier on the same path, did not.
e2e_focus "$window"
kb_tap x
e2e_wait_line "$log" "$(kb_msg 80 4a 00)" 10 || e2e_fail "X did not play in the main window"
[ "$(e2e_count_lines "$log" ': 90 ')" -eq $((before + 1)) ] || e2e_fail "a key played behind the About box"

# The same with the Key Config dialog (Ctrl+K) in front, closed with Escape.
xdotool key ctrl+k
config=$(e2e_wait_window '^Tamber Piano - Key Config$' 10) || e2e_fail "no Key Config dialog"
e2e_focus "$config"
kb_tap z
kb_tap q
xdotool key Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Tamber Piano - Key Config$' >/dev/null 2>&1 || break
    sleep 0.1
done
e2e_focus "$window"
kb_tap c
e2e_wait_line "$log" "$(kb_msg 80 4c 00)" 10 || e2e_fail "C did not play in the main window"
[ "$(e2e_count_lines "$log" ': 90 ')" -eq $((before + 2)) ] || e2e_fail "a key played behind the Key Config dialog"
kb_no_hanging_notes "$log" || e2e_fail "a note was left sounding"
echo "keyboard not in front: ok"
