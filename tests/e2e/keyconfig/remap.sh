#!/usr/bin/env bash
# Remapping a note in the Key Config dialog with mouse and keyboard, saving the keymap, and
# playing with it in a fresh run that loads it as its default keymap.
source "$E2E_HARNESS"
source "$(dirname "${BASH_SOURCE[0]}")/../keyboard/lib.sh"
e2e_setup
kb_start_piano_on_monitor
window=$KB_WINDOW
log=$(e2e_monitor_log)
saved="$E2E_DIR/mine.tmk"

# Clicks at a point given in a window's own coordinates (there are no window decorations).
click_in() { # WINDOW X Y
    local x y
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^[XY]=')"
    xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}

# Ctrl+K, then the button under the keyboard's first key (offset 0, cmdSet0 at 8,112 17x21
# pixels) and K, a key the default keymap leaves free.
xdotool key ctrl+k
config=$(e2e_wait_window '^Tamber Piano - Key Config$' 10) || e2e_fail "no Key Config dialog"
e2e_focus "$config"
click_in "$config" 16 122
kb_tap k

# Save Keymap (cmdSave at 8,160 81x25): type a new file's path, confirm the box.
click_in "$config" 48 172
dialog=$(e2e_wait_window '^Save Keymap$' 10) || e2e_fail "no Save Keymap dialog"
e2e_focus "$dialog"
xdotool type --delay 20 "$saved"
xdotool key Return
e2e_close_box Success
[ -s "$saved" ] || e2e_fail "the keymap was not saved"
e2e_focus "$config"
xdotool key Escape
kill "$E2E_PIANO_PID"
wait "$E2E_PIANO_PID" 2>/dev/null || true

# A copy of the program whose Default.tmk is the saved keymap.
copy="$E2E_DIR/program"
mkdir -p "$copy"
cp "$BIN/TamberPiano" "$copy/"
cp -r "$BIN/help" "$copy/" 2>/dev/null || true
cp "$saved" "$copy/Default.tmk"
e2e_start_monitor second-run
e2e_settings "$(e2e_output_index second-run)" -1 1
log=$(e2e_monitor_log second-run)
"$copy/TamberPiano" >"$E2E_DIR/piano-copy.log" 2>&1 &
E2E_PIANO_PID=$!
E2E_PIDS+=($E2E_PIANO_PID)
window=$(e2e_main_window)
e2e_wait_line "$log" "$(kb_msg c0 00)" 10 || e2e_fail "no program change in the second run"
e2e_focus "$window"

# X kept its note 74. Heard, it also shows that the window has taken the focus, so the
# keys after it are judged in front.
kb_tap x
e2e_wait_line "$log" "$(kb_msg 80 4a 00)" 10 || e2e_fail "X did not play note 74"
# Z gave its note to K: Z plays nothing, K plays note 72.
kb_tap z
kb_tap k
e2e_wait_line "$log" "$(kb_msg 80 48 00)" 10 || e2e_fail "K did not play note 72"
[ "$(e2e_count_lines "$log" ': 90 ')" -eq 2 ] || e2e_fail "Z still played a note"
echo "key config remap: ok"
