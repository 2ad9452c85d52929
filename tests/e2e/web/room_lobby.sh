#!/usr/bin/env bash
# A desktop piano makes room jazz and a browser player joins it at /r/jazz/, with the lobby open:
# notes both ways, the lobby's count as the room fills and empties, and the owner's Kick from
# the desktop's menu. The browser's side is room_lobby.mjs; this sets up the relay and the piano.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../session/lib.sh"
sess_enter_netns "$@"
e2e_setup
e2e_start_monitor
sess_start_server --web 8080
sess_start_piano D "$(e2e_output_index midi-monitor)"
main=$(sess_window "$SESS_PID_D" '^Tamber Piano$') || e2e_fail "no main window"
chat=$(sess_join "$SESS_PID_D" "$main" 127.0.0.1/jazz)
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: 127\.0\.0\.1$' 10 ||
    e2e_fail "the server does not list the desktop as User1"
# No window manager: the chat window opens over the keys unless moved.
xdotool windowmove "$chat" 560 0

E2E_MAIN=$main E2E_CHAT=$chat E2E_PIANO_PID=$SESS_PID_D E2E_MONITOR=$(e2e_monitor_log) \
    E2E_SERVER_LOG="$E2E_DIR/server.log" E2E_DIR="$E2E_DIR" \
    node "$(dirname "${BASH_SOURCE[0]}")/room_lobby.mjs" || e2e_fail "the room and lobby test failed"
