#!/usr/bin/env bash
# With the PC speaker saved as the output (-2), a held Z beeps at note 72's pitch, 523 Hz,
# through the audio stream; with nothing held the stream is silent.
source "$E2E_HARNESS"
source "$(dirname "$0")/lib.sh"
e2e_setup
e2e_settings -2 -1 1

e2e_start_piano
main=$(e2e_main_window)
e2e_wait_port TamberPiano:left 10 || e2e_fail "the PC-speaker voice has no audio stream"
e2e_focus "$main"

quiet="$E2E_DIR/quiet.wav"
e2e_start_recording "$quiet" 1 TamberPiano:left
e2e_wait_recording
[ "$(stat -c %s "$quiet")" -gt 48000 ] || e2e_fail "nothing was recorded"
if hz=$("$BIN/wav-pitch" "$quiet"); then
    e2e_fail "a tone of $hz Hz with no key held"
fi

held="$E2E_DIR/held.wav"
e2e_start_recording "$held" 2 TamberPiano:left
xdotool keydown z
sleep 1.5
xdotool keyup z
e2e_wait_recording
e2e_expect_pitch "$held" 523 2 "PC speaker, note 72"

# Released, the beeping stops by the next tick.
after="$E2E_DIR/after.wav"
e2e_start_recording "$after" 1 TamberPiano:left
e2e_wait_recording
if hz=$("$BIN/wav-pitch" "$after"); then
    e2e_fail "a tone of $hz Hz goes on after the key was released"
fi
echo "PC speaker: ok"
