#!/usr/bin/env bash
# A machine without a JACK server, an ALSA sequencer or any audio output: the piano starts with
# one line on standard error for each missing system and none of the libraries' own; with
# --verbose, what the libraries said comes too, in our categories.
source "$E2E_HARNESS"
e2e_setup
# None of the three, whatever this machine has: a JACK server of another name, an ALSA
# configuration without devices, a PulseAudio server that is not there.
: >"$E2E_DIR/no-devices.conf"
missing=(JACK_DEFAULT_SERVER="tp-none-$$" ALSA_CONFIG_PATH="$E2E_DIR/no-devices.conf"
    PULSE_SERVER=unix:/nonexistent)

# First run: the built-in synthesizer is the output and cannot sound; the boxes say so, then
# the piano is closed as a user would.
start_and_close() { # [ARGS...]
    rm -rf "$XDG_CONFIG_HOME/Tamber Piano"
    env "${missing[@]}" "$BIN/TamberPiano" "$@" >"$E2E_DIR/piano.log" 2>&1 &
    E2E_PIANO_PID=$!
    E2E_PIDS+=($E2E_PIANO_PID)
    e2e_close_box Warning
    e2e_main_window >/dev/null
    e2e_close_box Welcome
    kill "$E2E_PIANO_PID"
    e2e_wait_piano_exit "closed"
    [ "$E2E_PIANO_STATUS" -eq 0 ] || e2e_fail "the piano exited with status $E2E_PIANO_STATUS"
}

start_and_close
stated=(
    '^tamber\.midi: No JACK server is running: no JACK MIDI ports; the built-in synthesizer \(through PulseAudio or ALSA\) still plays$'
    '^tamber\.midi: No ALSA sequencer: no ALSA MIDI ports; the built-in synthesizer still plays$'
    '^tamber\.sound: No audio output could be opened \(tried PulseAudio, ALSA\): the built-in synthesizer and the PC speaker are silent$'
)
for line in "${stated[@]}"; do
    [ "$(e2e_count_lines "$E2E_DIR/piano.log" "$line")" -eq 1 ] ||
        e2e_fail "not once on standard error: $line"
done
lines=$(wc -l <"$E2E_DIR/piano.log")
[ "$lines" -eq ${#stated[@]} ] || e2e_fail "$lines lines on standard error, not ${#stated[@]}"

start_and_close --verbose
for said in '^tamber\.midi: JACK: ' '^tamber\.midi: ALSA: ' '^tamber\.sound: FluidSynth: '; do
    grep -Eq "$said" "$E2E_DIR/piano.log" || e2e_fail "--verbose showed no line like $said"
done
for line in "${stated[@]}"; do
    grep -Eq "$line" "$E2E_DIR/piano.log" || e2e_fail "--verbose lost: $line"
done
grep -Ev '^tamber\.(midi|sound|files|session|language)(\.[a-z]+)?: ' "$E2E_DIR/piano.log" |
    grep -q . && e2e_fail "--verbose printed outside our categories"
echo "quiet start: ok"
