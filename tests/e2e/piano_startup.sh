#!/usr/bin/env bash
# The first run greets the user once; the chosen MIDI port receives start-up's program change.
source "$E2E_HARNESS"
e2e_setup
e2e_start_monitor
monitor=$(e2e_output_index midi-monitor)

# First run: no settings at all, so the built-in synthesizer plays and the welcome shows.
e2e_start_piano
e2e_main_window >/dev/null
e2e_close_box Welcome
# Stored once the box is closed; the program writes the file a moment later.
e2e_wait_line "$(e2e_settings_file)" '^Welcomed=1' 10 || e2e_fail "Welcomed was not stored"
kill "$E2E_PIANO_PID"
wait "$E2E_PIANO_PID" 2>/dev/null || true

# Second run, with the monitor port as output: no welcome, and program 0 on channel 0.
sed -i "s/^OutDevice=.*/OutDevice=$monitor/" "$(e2e_settings_file)"
grep -q "^OutDevice=$monitor" "$(e2e_settings_file)" ||
    printf '[Devices]\nOutDevice=%s\n' "$monitor" >>"$(e2e_settings_file)"
e2e_start_piano
main=$(e2e_main_window)
e2e_wait_line "$(e2e_monitor_log)" '(^|[^0-9a-f])c0 00( |$)' 10 ||
    e2e_fail "no program change 0xC0 0x00 at the monitor"
# A welcome box would come before the keys play; a note heard shows start-up is over.
e2e_focus "$main"
xdotool keydown z
sleep 0.1
xdotool keyup z
e2e_wait_line "$(e2e_monitor_log)" '(^|[^0-9a-f])80 48 00( |$)' 10 ||
    e2e_fail "Z did not play after start-up (a box in front?)"
if xdotool search --onlyvisible --name '^Welcome$' >/dev/null 2>&1; then
    e2e_fail "the welcome box showed again"
fi
echo "piano start-up: ok"
