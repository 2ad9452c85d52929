#!/usr/bin/env bash
# The owner of a room sends a browser player out from the desktop piano's context menu: the
# browser is told why in its box and loses its seat, and the desktop plays on.
# The browser's side is owner_kick.mjs; this sets up the relay and the desktop piano.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../session/lib.sh"
sess_enter_netns "$@"
e2e_setup
e2e_start_monitor
sess_start_server --web 8080
sess_start_piano D "$(e2e_output_index midi-monitor)"
main=$(sess_window "$SESS_PID_D" '^Tamber Piano' 60) || e2e_fail "no main window"
chat=$(sess_join "$SESS_PID_D" "$main" 127.0.0.1/jazz)
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: 127\.0\.0\.1$' 10 ||
    e2e_fail "the server does not list the desktop as User1"
# No window manager: the chat window opens over the keys unless moved.
xdotool windowmove "$chat" 600 0

E2E_CHAT=$chat E2E_SERVER_LOG="$E2E_DIR/server.log" \
    node "$(dirname "${BASH_SOURCE[0]}")/owner_kick.mjs" || e2e_fail "the owner's kick failed"
