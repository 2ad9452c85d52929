#!/usr/bin/env bash
# With the eight seats taken, a ninth piano that joins is told that the session may be full,
# and is offline again afterwards (Join Session works once more).
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
sess_enter_netns "$@"
e2e_setup
e2e_start_monitor
sess_start_server

# Eight plain TCP clients take the seats and keep them.
for i in 1 2 3 4 5 6 7 8; do
    exec {seat}<>/dev/tcp/127.0.0.1/9050 || e2e_fail "client $i could not connect"
    e2e_wait_line "$E2E_DIR/server.log" "^$i\\. User$i: 127\\.0\\.0\\.1\$" 10 ||
        e2e_fail "client $i got no seat"
done

sess_start_piano P "$(e2e_output_index midi-monitor)"
main=$(sess_window "$SESS_PID_P" '^Tamber Piano$') || e2e_fail "no main window"
address=$(sess_enter_address "$SESS_PID_P" "$main")

# The box: a modal dialog titled "Corvent" (the address box has gone; the chat window is a
# plain window, never modal) with the information icon, blue where the error box's is red.
# Its exact text and icon are checked by the session client's tests.
box=$(sess_window "$SESS_PID_P" '^Corvent$' 10 "$address") || e2e_fail "no box after joining"
props=$(xprop -id "$box")
grep -q '_NET_WM_STATE_MODAL' <<<"$props" || e2e_fail "a window that is not a box: $props"
grep -q '_NET_WM_WINDOW_TYPE_DIALOG' <<<"$props" || e2e_fail "a window that is not a box: $props"
import -window "$box" "$E2E_DIR/box.png" || e2e_fail "no screenshot of the box"
icon_pixels() { # FX-CONDITION: how many pixels of the box's top left 48 x 48 meet it
    convert "$E2E_DIR/box.png" -crop 48x48+0+0 +repage -fx "($1)?1:0" \
        -format '%[fx:round(w*h*mean)]' info:
}
blue=$(icon_pixels 'b-r>0.3')
red=$(icon_pixels 'r-b>0.3')
[ "$blue" -ge 10 ] && [ "$red" -lt "$blue" ] ||
    e2e_fail "not the information icon: $blue blue and $red red pixels"
e2e_focus "$box"
xdotool key Return
for _ in $(seq 50); do
    xdotool search --all --onlyvisible --pid "$SESS_PID_P" --name '^Corvent$' >/dev/null 2>&1 ||
        break
    sleep 0.1
done

# Offline again: Join Session asks for an address once more.
e2e_focus "$main"
xdotool key ctrl+j
again=$(sess_window "$SESS_PID_P" '^Corvent$' 10) || e2e_fail "Join Session is not enabled again"
e2e_focus "$again"
xdotool key Escape
# The eight seated clients noticed nothing.
[ "$(grep -c '^8\. User8: ' "$E2E_DIR/server.log")" -ge 1 ] || e2e_fail "the server lost a seat"
tail -n 8 "$E2E_DIR/server.log" | grep -q '^8\. User8: 127\.0\.0\.1$' ||
    e2e_fail "the seats changed: $(tail -n 8 "$E2E_DIR/server.log")"
echo "ninth piano: ok"
