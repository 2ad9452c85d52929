#!/usr/bin/env bash
# The desktop side of a browser test: the relay with its web port on 8080 and one desktop piano
# (user 1) in a session, its MIDI output on a JACK monitor. Source it after session/lib.sh.

# Starts everything and joins; sets WEB_MAIN and WEB_CHAT, the piano's windows.
web_start_desktop() { # [ADDRESS]
    e2e_setup
    e2e_start_monitor
    sess_start_server --web 8080
    sess_start_piano D "$(e2e_output_index midi-monitor)"
    WEB_MAIN=$(sess_window "$SESS_PID_D" '^Tamber Piano$') || e2e_fail "no main window"
    WEB_CHAT=$(sess_join "$SESS_PID_D" "$WEB_MAIN" "${1:-127.0.0.1}")
    e2e_wait_line "$E2E_DIR/server.log" '^1\. User1: 127\.0\.0\.1$' 10 ||
        e2e_fail "the server does not list the desktop as User1"
    # No window manager: the chat window opens over the keys unless moved.
    xdotool windowmove "$WEB_CHAT" 600 0
}

# Runs the browser's side, a script beside this one, with what it needs to know of the desktop.
web_run_browser() { # SCRIPT
    E2E_MAIN=$WEB_MAIN E2E_CHAT=$WEB_CHAT E2E_PIANO_PID=$SESS_PID_D \
        E2E_MONITOR=$(e2e_monitor_log) E2E_SERVER_LOG="$E2E_DIR/server.log" E2E_DIR="$E2E_DIR" \
        node "$(dirname "${BASH_SOURCE[0]}")/$1" || e2e_fail "the browser's side failed ($1)"
}
