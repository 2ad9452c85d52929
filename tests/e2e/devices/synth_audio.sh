#!/usr/bin/env bash
# First run, built-in synthesizer: Z played on the focused main window is heard at note 72's
# pitch (523.25 Hz) on the synthesizer's JACK output.
source "$E2E_HARNESS"
source "$(dirname "$0")/lib.sh"
e2e_setup

e2e_start_piano
main=$(e2e_main_window)
e2e_close_box Welcome
e2e_wait_port TamberPiano:left 10 || e2e_fail "the synthesizer has no JACK output"
e2e_jack_ask jack_lsp -c TamberPiano:left | grep -q '^ *system:playback' ||
    e2e_fail "the synthesizer is not connected to the speakers"
e2e_focus "$main"

wav="$E2E_DIR/synth.wav"
e2e_start_recording "$wav" 3 TamberPiano:left
# The sound font may still be loading; the note waits for it and is heard all the same.
xdotool keydown z
sleep 0.8
xdotool keyup z
e2e_wait_recording
e2e_expect_pitch "$wav" 523.25 2 "built-in synthesizer, note 72"
