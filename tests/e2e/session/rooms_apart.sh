#!/usr/bin/env bash
# Two pianos in room jazz and one in the main room of one relay: notes and chat reach the own
# room only. A chat line comes back to its sender after everything sent before it, so a
# sender's own line seen in its transcript marks the point by which a leak would have arrived.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
sess_enter_netns "$@"
e2e_setup
for name in A B C; do
    e2e_start_monitor "mon$name"
done
sess_start_server
for name in A B C; do
    sess_start_piano "$name" "$(e2e_output_index "mon$name")"
done
mainA=$(sess_window "$SESS_PID_A" '^Tamber Piano$') || e2e_fail "no main window of piano A"
mainB=$(sess_window "$SESS_PID_B" '^Tamber Piano$') || e2e_fail "no main window of piano B"
mainC=$(sess_window "$SESS_PID_C" '^Tamber Piano$') || e2e_fail "no main window of piano C"
logA=$(e2e_monitor_log monA)
logB=$(e2e_monitor_log monB)
logC=$(e2e_monitor_log monC)
server="$E2E_DIR/server.log"
listed_in_main() {
    awk 'prev !~ /^Room / && /^1\. User1: 127\.0\.0\.1$/ { found = 1 } { prev = $0 }
        END { exit !found }' "$server"
}

# A makes jazz and B follows (users 1 and 2 there); C is user 1 of the main room.
chatA=$(sess_join "$SESS_PID_A" "$mainA" 127.0.0.1/jazz)
e2e_wait_line "$server" '^1\. User1: 127\.0\.0\.1$' 10 || e2e_fail "the server does not list A"
chatB=$(sess_join "$SESS_PID_B" "$mainB" 127.0.0.1/jazz)
e2e_wait_line "$server" '^2\. User2: 127\.0\.0\.1$' 10 || e2e_fail "the server does not list B"
chatC=$(sess_join "$SESS_PID_C" "$mainC")
# The main room's list is the one without a "Room NAME:" line over it.
for _ in $(seq 100); do
    listed_in_main && break
    sleep 0.1
done
listed_in_main || e2e_fail "the server does not list C in the main room"
# Each chat window names its room.
for pair in "$chatA jazz" "$chatB jazz" "$chatC main"; do
    set -- $pair
    title=""
    for _ in $(seq 50); do
        title=$(xdotool getwindowname "$1")
        [ "$title" = "Corvent — $2" ] && break
        sleep 0.1
    done
    [ "$title" = "Corvent — $2" ] || e2e_fail "chat window titled '$title', not 'Corvent — $2'"
done
# No window manager: spread the windows so none hides another's keys or fields.
xdotool windowmove "$mainB" 0 300
xdotool windowmove "$chatA" 560 0
xdotool windowmove "$chatB" 560 250
xdotool windowmove "$chatC" 560 500

note_on() { echo "(^|[^0-9a-f])$1( |\$)"; } # a message's bytes as the monitor prints them
chat() {                                   # CHAT-WINDOW TEXT
    e2e_focus "$1"
    xdotool mousemove --window "$1" 100 205 click 1
    xdotool type --delay 20 "$2"
    xdotool key Return
}
wait_transcript() { # CHAT-WINDOW EXPECTED
    local text=""
    for _ in $(seq 50); do
        text=$(sess_transcript "$1")
        [ "$text" = "$2" ] && return 0
        sleep 0.2
    done
    e2e_fail "transcript of $1 is '$text', not '$2'"
}
jazz_welcome='Welcome to Corvent! This is room jazz.'

# Jazz: A's Z sounds at B on A's channel, and A's line reaches B.
e2e_focus "$mainA"
xdotool keydown z
e2e_wait_line "$logB" "$(note_on '91 48 7f')" 10 || e2e_fail "A's note did not sound at B"
xdotool keyup z
chat "$chatA" "hello jazz"
wait_transcript "$chatB" "$jazz_welcome"$'\nUser1: hello jazz'

# Main: C plays X and chats; its own line back marks that anything relayed before has arrived.
e2e_focus "$mainC"
xdotool keydown x
e2e_wait_line "$logC" "$(note_on '91 4a 7f')" 10 || e2e_fail "C's note did not sound at C"
xdotool keyup x
chat "$chatC" "hello main"
wait_transcript "$chatC" $'Welcome to Corvent!\nUser1: hello main'
[ "$(e2e_count_lines "$logC" "$(note_on '9. 48 ..')")" = 0 ] || e2e_fail "A's note sounded at C"

# Jazz again: B's line back to A marks the same for jazz, where C's note and line never came.
chat "$chatB" "bye jazz"
wait_transcript "$chatA" "$jazz_welcome"$'\nUser1: hello jazz\nUser2: bye jazz'
wait_transcript "$chatB" "$jazz_welcome"$'\nUser1: hello jazz\nUser2: bye jazz'
for log in "$logA" "$logB"; do
    [ "$(e2e_count_lines "$log" "$(note_on '9. 4a ..')")" = 0 ] ||
        e2e_fail "C's note sounded in jazz ($(basename "$log"))"
done
echo "rooms apart: ok"
