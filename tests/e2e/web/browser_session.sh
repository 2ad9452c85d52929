#!/usr/bin/env bash
# A browser player joins a desktop piano's session through the relay's web port: keys, lights,
# chat and "/name" both ways, the seat freed when the tab closes, and no seat for a ninth.
# The browser's side is browser_session.mjs; this sets up the relay and the desktop piano.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../session/lib.sh"
sess_enter_netns "$@"
e2e_setup
e2e_start_monitor
sess_start_server --web 8080
sess_start_piano D "$(e2e_output_index midi-monitor)"
main=$(sess_window "$SESS_PID_D" '^Tamber Piano$') || e2e_fail "no main window"
chat=$(sess_join "$SESS_PID_D" "$main")
e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: 127\.0\.0\.1$' 10 ||
    e2e_fail "the server does not list the desktop as User1"
# No window manager: the chat window opens over the keys unless moved.
xdotool windowmove "$chat" 600 0

E2E_MAIN=$main E2E_CHAT=$chat E2E_MONITOR=$(e2e_monitor_log) E2E_SERVER_LOG="$E2E_DIR/server.log" \
    E2E_DIR="$E2E_DIR" node "$(dirname "${BASH_SOURCE[0]}")/browser_session.mjs" ||
    e2e_fail "the browser session failed"
