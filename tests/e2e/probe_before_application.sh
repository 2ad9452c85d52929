#!/usr/bin/env bash
# With a JACK server running, the look at the MIDI systems that starts before the application
# leaves Qt the program's main thread (see tests/client/midi/ProbeBeforeApplication.cpp).
source "$E2E_HARNESS"
e2e_setup
for run in 1 2 3; do
    "$BIN/probe_before_application" || e2e_fail "run $run: the application was not made cleanly"
done
echo "look before the application: ok"
