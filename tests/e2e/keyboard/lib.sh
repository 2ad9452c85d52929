#!/usr/bin/env bash
# Helpers for the keyboard and key configuration end-to-end tests; source after harness.sh.

# Taps a key on the focused window: down, held briefly, up, then a pause so the next press of
# the same key is never taken for X auto-repeat.
kb_tap() { # KEY [HOLD-SECONDS]
    xdotool keydown "$1"
    sleep "${2:-0.1}"
    xdotool keyup "$1"
    sleep 0.08
}

# Waits until FILE has at least N lines matching REGEX.
kb_wait_count() { # FILE REGEX N [SECONDS]
    local deadline=$((SECONDS + ${4:-10}))
    while [ $SECONDS -lt $deadline ]; do
        [ "$(e2e_count_lines "$1" "$2")" -ge "$3" ] && return 0
        sleep 0.05
    done
    return 1
}

# A MIDI message as the monitor prints it ("   0: 90 48 7f"), for grep -E.
kb_msg() { echo ": $*( |\$)"; }

# Starts the monitor and the piano playing into it, the welcome already seen; once start-up's
# program change has arrived (the keys are live from then on) sets KB_WINDOW to the main
# window's id and focuses it. Not to be run in a subshell: the harness must see the processes.
kb_start_piano_on_monitor() { # [extra environment assignments...]
    e2e_start_monitor
    e2e_settings "$(e2e_output_index midi-monitor)" -1 1
    e2e_start_piano "$@"
    KB_WINDOW=$(e2e_main_window)
    e2e_wait_line "$(e2e_monitor_log)" "$(kb_msg c0 00)" 10 ||
        e2e_fail "no program change at start-up"
    e2e_focus "$KB_WINDOW"
}

# Every note-on in the monitor log is followed by its note-off (no hanging notes), and every
# note-off follows a note-on (a key released after a press that played nothing stops nothing).
kb_no_hanging_notes() { # FILE
    awk '
        $1 ~ /:$/ { st = $2; note = $3; vel = $4 }
        $1 !~ /:$/ { next }
        st ~ /^9/ && vel != "00" { down[st " " note]++ }
        st ~ /^8/ || (st ~ /^9/ && vel == "00") {
            k = "9" substr(st, 2) " " note
            if (down[k] <= 0) { print "note-off without a note-on: " st " " note; bad = 1 }
            else down[k]--
        }
        END { for (k in down) if (down[k] > 0) { print "hanging: " k " " down[k]; bad = 1 } exit bad }
    ' "$1"
}
