#!/usr/bin/env bash
# Exit ends the program whatever else is open: File > Exit with the help window open ends the
# process, and so does SIGINT with the Key Config dialog open; both exit 0.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup

wait_piano_exit() { # WHAT
    e2e_wait_piano_exit "$1"
    [ "$E2E_PIANO_STATUS" -eq 0 ] || e2e_fail "$1: the piano exited with status $E2E_PIANO_STATUS"
}

# Regression: the help window, a window without a parent, kept the process alive.
kb_start_piano_on_monitor
xdotool key F1
help=$(e2e_wait_window 'Help' 10) || e2e_fail "F1 opened no help window"
e2e_focus "$KB_WINDOW"
windows=$(e2e_window_count "$E2E_PIANO_PID")
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+f
xdotool key x
wait_piano_exit "File > Exit with the help open"
xdotool search --onlyvisible --name 'Help' >/dev/null 2>&1 && e2e_fail "the help window stayed"

kb_start_piano_on_monitor
xdotool key ctrl+k
e2e_wait_window '^Tamber Piano - Key Config$' 10 >/dev/null || e2e_fail "no Key Config dialog"
kill -INT "$E2E_PIANO_PID"
wait_piano_exit "SIGINT with Key Config open"
echo "exit closes every window: ok"
