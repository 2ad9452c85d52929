#!/usr/bin/env bash
# The piano installed with `cmake --install --prefix DIR` runs from DIR and finds its data
# there: the installed Default.tmk plays and Help shows the installed page. A Default.tmk of the
# user's own in ~/.local/share/tamber-piano is read in its place.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup
# The default data folder, ~/.local/share, whatever the machine running the test has set.
unset XDG_DATA_HOME

prefix="$E2E_DIR/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >"$E2E_DIR/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_DIR/install.log")"
for file in bin/TamberPiano bin/CorventServer share/tamber-piano/Default.tmk \
    share/tamber-piano/help/index.html share/tamber-piano/help/index.de.html; do
    [ -f "$prefix/$file" ] || e2e_fail "the installed tree lacks $file"
done
grep -qx "ExecStart=$prefix/bin/CorventServer --headless" \
    "$prefix/lib/systemd/system/corvent-server.service" ||
    e2e_fail "the installed unit does not start the installed relay"

start_installed_piano() { # MONITOR-NAME
    e2e_start_monitor "$1"
    e2e_settings "$(e2e_output_index "$1")" -1 1
    "$prefix/bin/TamberPiano" >"$E2E_DIR/piano-$1.log" 2>&1 &
    E2E_PIANO_PID=$!
    E2E_PIDS+=($E2E_PIANO_PID)
    window=$(e2e_main_window)
    e2e_wait_line "$(e2e_monitor_log "$1")" "$(kb_msg c0 00)" 10 ||
        e2e_fail "no program change at start-up"
    e2e_focus "$window"
}
stop_piano() {
    kill "$E2E_PIANO_PID"
    wait "$E2E_PIANO_PID" 2>/dev/null || true
}

# The window shows the program's icon (Qt may set it just after the window appears).
has_icon() { # WINDOW
    for _ in $(seq 50); do
        xprop -id "$1" _NET_WM_ICON 2>/dev/null | grep -q '_NET_WM_ICON(CARDINAL) = ' && return 0
        sleep 0.1
    done
    return 1
}

# The installed Default.tmk: Z plays note 72.
start_installed_piano installed
has_icon "$window" || e2e_fail "the piano's window has no icon"
log=$(e2e_monitor_log installed)
kb_tap z
e2e_wait_line "$log" "$(kb_msg 80 48 00)" 10 || e2e_fail "Z did not play the installed keymap's note"
# F1: the help page from the installed data folder.
xdotool key F1
e2e_wait_window '^Tamber Piano Help$' 10 >/dev/null || e2e_fail "no help window"
stop_piano

# The user's own keymap gives Z offset 5 (note 77) and maps nothing else.
mkdir -p "$HOME/.local/share/tamber-piano"
printf 'TMKM\x00\x01\x03\x01\x5a\x05\x00' >"$HOME/.local/share/tamber-piano/Default.tmk"
start_installed_piano own
log=$(e2e_monitor_log own)
kb_tap x
kb_tap z
e2e_wait_line "$log" "$(kb_msg 80 4d 00)" 10 || e2e_fail "Z did not play the user's keymap's note"
[ "$(e2e_count_lines "$log" ': 90 ')" -eq 1 ] || e2e_fail "a key of the installed keymap played"
stop_piano

# The relay's window (nothing listens until Start) shows the icon too.
"$prefix/bin/CorventServer" >"$E2E_DIR/server.log" 2>&1 &
E2E_PIDS+=($!)
server=$(e2e_wait_window '^Corvent Server$' 15) || e2e_fail "no Corvent Server window"
has_icon "$server" || e2e_fail "the relay's window has no icon"
echo "installed piano: ok"
