#!/usr/bin/env bash
# Two pianos join one relay server: a key played in one sounds at the other's MIDI output on the
# player's channel and lights the other's key in the player's colour, and chat is relayed.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../recording/lib.sh"
sess_enter_netns "$@"
e2e_setup
e2e_start_monitor monA
e2e_start_monitor monB
sess_start_server
sess_start_piano A "$(e2e_output_index monA)"
sess_start_piano B "$(e2e_output_index monB)"
mainA=$(sess_window "$SESS_PID_A" '^Tamber Piano$') || e2e_fail "no main window of piano A"
mainB=$(sess_window "$SESS_PID_B" '^Tamber Piano$') || e2e_fail "no main window of piano B"
logA=$(e2e_monitor_log monA)
logB=$(e2e_monitor_log monB)

# A joins first and becomes user 1; B then becomes user 2.
chatA=$(sess_join "$SESS_PID_A" "$mainA")
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: 127\.0\.0\.1$' 10 ||
    e2e_fail "the server does not list User1"
chatB=$(sess_join "$SESS_PID_B" "$mainB")
e2e_wait_line "$E2E_DIR/server.log" '^2\. User2: 127\.0\.0\.1$' 10 ||
    e2e_fail "the server does not list User2"
# Without a window manager every window opens at the top left: spread them out so none hides
# another's keys.
xdotool windowmove "$mainB" 0 300
xdotool windowmove "$chatA" 600 0
xdotool windowmove "$chatB" 600 300

# A plays Z: B's output gets A's instrument and note 72 at full velocity on channel 1 ...
e2e_focus "$mainA"
xdotool keydown z
e2e_wait_line "$logB" '(^|[^0-9a-f])91 48 7f( |$)' 10 || e2e_fail "no note-on 91 48 7f at B"
grep -A1 -E '(^|[^0-9a-f])c1 00( |$)' "$logB" | grep -qE '(^|[^0-9a-f])91 48 7f( |$)' ||
    e2e_fail "A's instrument did not come just before the note at B"
# ... and B's key 36 (a white key, below the black keys' reach) is lit in user 1's colour.
# The keys sit at (8, 104) in the client area, which lies below the menu bar.
height=$(xdotool getwindowgeometry --shell "$mainB" | sed -n 's/^HEIGHT=//p')
menu=$((height - 201))
x=$((8 + 36 / 12 * 7 * 16 + 5))
y=$((menu + 104 + 60))
lit=""
for _ in $(seq 50); do
    lit=$(sess_pixel "$mainB" "$x" "$y")
    [ "$lit" = "1,1,255" ] && break
    sleep 0.1
done
[ "$lit" = "1,1,255" ] || e2e_fail "B's key 36 is $lit, not user 1's colour 1,1,255"
xdotool keyup z
e2e_wait_line "$logB" '(^|[^0-9a-f])(81 48 [0-9a-f]{2}|91 48 00)( |$)' 10 ||
    e2e_fail "no note-off at B"
unlit=""
for _ in $(seq 50); do
    unlit=$(sess_pixel "$mainB" "$x" "$y")
    [ "$unlit" = "255,255,255" ] && break
    sleep 0.1
done
[ "$unlit" = "255,255,255" ] || e2e_fail "B's key 36 stayed $unlit after the note-off"
# A's own note went to A's own output, not back from the server a second time.
[ "$(e2e_count_lines "$logA" '(^|[^0-9a-f])91 48 7f( |$)')" = 1 ] ||
    e2e_fail "A's output did not get its own note exactly once"

# B plays X the other way round, on channel 2.
e2e_focus "$mainB"
xdotool keydown x
e2e_wait_line "$logA" '(^|[^0-9a-f])92 4a 7f( |$)' 10 || e2e_fail "no note-on 92 4a 7f at A"
xdotool keyup x

# A chats while recording; both transcripts show the welcome line and the relayed line,
# nothing else. The keys typed into the chat window (H, E, L, O, ... are mapped) play
# nothing: no note reaches either output and the recording stays empty.
take="$E2E_DIR/chat take.tbr"
rec_new_file "$mainA" "$take"
rec_click_record "$mainA"
rec_wait_size "$take" 12 || e2e_fail "Record did not create the file"
e2e_wait_quiet "$logA" || e2e_fail "monitor A did not come to rest"
e2e_wait_quiet "$logB" || e2e_fail "monitor B did not come to rest"
notesA=$(rec_count_notes "$logA")
notesB=$(rec_count_notes "$logB")
e2e_focus "$chatA"
xdotool mousemove --window "$chatA" 100 205 click 1
xdotool type --delay 20 "hello from user1"
xdotool key Return
expected=$'Welcome to Corvent!\nUser1: hello from user1'
for chat in "$chatB" "$chatA"; do
    text=""
    for _ in $(seq 30); do
        text=$(sess_transcript "$chat")
        [ "$text" = "$expected" ] && break
        sleep 0.2
    done
    [ "$text" = "$expected" ] || e2e_fail "transcript of $chat is '$text'"
done
rec_click_record "$mainA" # now captioned "Stop"
rec_wait_closed "$SESS_PID_A" "$take" || e2e_fail "Stop did not close the recording"
[ "$(rec_file_count "$take")" = 0 ] ||
    e2e_fail "typing into the chat window recorded $(rec_file_count "$take") events"
e2e_wait_quiet "$logA" && e2e_wait_quiet "$logB" || e2e_fail "the monitors did not come to rest"
[ "$(rec_count_notes "$logA")" = "$notesA" ] || e2e_fail "typing into the chat window played at A"
[ "$(rec_count_notes "$logB")" = "$notesB" ] || e2e_fail "typing into the chat window played at B"

# The server stops: both pianos leave quietly, with no error box.
kill -TERM "$SESS_SERVER_PID"
for pid in "$SESS_PID_A" "$SESS_PID_B"; do
    for _ in $(seq 100); do
        xdotool search --all --onlyvisible --pid "$pid" --name "$SESS_CHAT_TITLE" >/dev/null 2>&1 || break
        sleep 0.1
    done
    if xdotool search --all --onlyvisible --pid "$pid" --name "$SESS_CHAT_TITLE" >/dev/null 2>&1; then
        e2e_fail "a chat window stayed open after the server stopped"
    fi
done
if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
    e2e_fail "an error box showed after the server stopped"
fi
echo "playing together: ok"
