#!/usr/bin/env bash
# Output devices chosen through the Options menu with the keyboard: the choice is stored at
# once, notes go to the new device, and the port let go hears All Notes Off on every channel.
source "$E2E_HARNESS"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_start_monitor monA
e2e_start_monitor monB
a=$(e2e_output_index monA)
b=$(e2e_output_index monB)
e2e_settings "$a" -1 1
logA=$(e2e_monitor_log monA)
logB=$(e2e_monitor_log monB)
ini=$(e2e_settings_file)

e2e_start_piano
main=$(e2e_main_window)
e2e_wait_line "$logA" ': c0 00( |$)' 10 || e2e_fail "monA was not opened at start-up"

# Options > Output Device > item: "(PC Speaker)" first, "(None)", then device d.
choose_output() { # POSITION (0 = PC speaker, 1 = None, d + 2 = device d)
    e2e_focus "$main"
    local windows i
    windows=$(e2e_window_count "$E2E_PIANO_PID")
    e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+o
    # Key Config, Metronome, then Output Device.
    e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 2)) Down Down Right
    for ((i = 0; i < $1; i++)); do
        xdotool key Down
    done
    e2e_key_until_windows "$E2E_PIANO_PID" "$windows" Return
}

all_notes_off() { # LOG
    local channel
    for channel in 0 1 2 3 4 5 6 7 8 9 a b c d e f; do
        grep -Eq ": b$channel 7b 00( |$)" "$1" || return 1
    done
}

wait_all_notes_off() { # LOG WHAT
    local deadline=$((SECONDS + 10))
    while [ $SECONDS -lt $deadline ]; do
        all_notes_off "$1" && return 0
        sleep 0.05
    done
    e2e_fail "$2: no All Notes Off on every channel"
}

choose_output $((b + 2))
wait_all_notes_off "$logA" "switching from monA to monB"
e2e_wait_line "$ini" "^OutDevice=$b\$" 5 || e2e_fail "the choice of monB was not stored"

e2e_focus "$main"
xdotool keydown z
sleep 0.1
xdotool keyup z
e2e_wait_line "$logB" ': 80 48 00( |$)' 10 || e2e_fail "Z did not play on monB"
grep -Eq ': 90 48 7f( |$)' "$logB" || e2e_fail "no note-on 72 on monB"
! grep -Eq ': 90 48 ' "$logA" || e2e_fail "Z still played on monA"

choose_output 0
wait_all_notes_off "$logB" "switching to the PC speaker"
e2e_wait_line "$ini" '^OutDevice=-2$' 5 || e2e_fail "the PC speaker was not stored"
echo "device menu: ok"
