#!/usr/bin/env bash
# Plays a generated recording of 10,000 events into a JACK MIDI monitor (32-frame periods)
# and prints how late each event was against its due time (the moment the previous event
# was heard plus its recorded delay) and the CPU the piano used while playing; then the
# same for a Standard MIDI File of as many notes on four channels, whose events are due at
# their times from the start of the song (written and read by python3-mido).
#   ninja TamberPiano midi-port-index, then bench/playback_bench.sh BUILD_DIR [EVENTS]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export BIN=$(cd "${1:?build directory}" && pwd)/bin
events=${2:-10000}
source "$here/tests/e2e/recording/lib.sh"
export E2E_JACK_PERIOD=32
source "$here/tests/e2e/harness.sh"
e2e_private_shm "$0" "$@" # keeps the arguments, which e2e_setup's own call would not

e2e_setup
rec_start_monitor
e2e_settings "$(e2e_output_index midi-monitor)" -1 1
monitor=$(e2e_monitor_log)
take="$E2E_DIR/bench.tbr"

# Note on, note off, on the next note up, ...; delays 0 to 5 ms (0: a chord), 2.5 ms mean.
awk -v n="$events" 'BEGIN {
    for (i = 0; i < n; ++i) {
        note = 48 + int(i / 2) % 36
        if (i % 2 == 0) printf "%d 90 %02x 64\n", (i * 7) % 6, note
        else printf "%d 80 %02x 00\n", (i * 7) % 6, note
    }
}' | rec_write_file "$take"
rec_file_events "$take" >"$E2E_DIR/events.txt"
total_ms=$(awk '{ s += $1 } END { print s }' "$E2E_DIR/events.txt")
echo "recording: $events events, $total_ms ms of recorded delays, $(stat -c %s "$take") bytes"

trace="$E2E_DIR/midi.trace"
e2e_start_piano TAMBER_TRACE_MIDI="$trace"
main=$(e2e_main_window)
e2e_wait_line "$monitor" 'c0 00' 10 || e2e_fail "the piano did not open the monitor"
rec_open_file "$main" "$take"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$E2E_PIANO_PID/stat"; }
hz=$(getconf CLK_TCK)
now() { date +%s.%N; }

# Idle: the keyboard poll alone.
t0=$(now) c0=$(cpu_ticks)
sleep 5
t1=$(now) c1=$(cpu_ticks)
idle=$(awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
    'BEGIN { printf "%.2f", 100 * c / hz / (t1 - t0) }')

before=$(rec_count_notes "$monitor")
xruns=$(rec_xruns)
t0=$(now) c0=$(cpu_ticks)
rec_click_play "$main"
rec_wait_notes "$monitor" $((before + events)) $((total_ms / 1000 + 120)) ||
    e2e_fail "playback did not finish"
t1=$(now) c1=$(cpu_ticks)
xruns=$(($(rec_xruns) - xruns))
playing=$(awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
    'BEGIN { printf "%.2f", 100 * c / hz / (t1 - t0) }')
rec_wait_playback "$monitor" "$before" "$events" 10 || e2e_fail "no silence after playback"

rec_notes_after "$monitor" "$before" >"$E2E_DIR/played.txt"
# Should a message be missing at the monitor (it says when it drops one), that event is
# skipped, and so is the gap after it, whose start was not heard.
awk 'NR == FNR { heard[++h] = $0; next }
    {
        split($0, e, " ")
        split(heard[j + 1], a, " ")
        if (j < h && a[2] == e[2] && a[3] == e[3] && a[4] == e[4]) {
            ++j
            if (matched) print (a[1] - prev) / 48.0 - e[1]
            if (!first) first = a[1]
            prev = a[1]; matched = 1
        } else {
            ++dropped; matched = 0
        }
    }
    END { print dropped + 0, first, prev > "'"$E2E_DIR"'/matched.txt" }' \
    "$E2E_DIR/played.txt" "$E2E_DIR/events.txt" >"$E2E_DIR/lateness.txt"
read -r dropped first last <"$E2E_DIR/matched.txt"
echo "events not heard: $dropped ($(grep -m1 '^midi-dump: .* dropped' "$monitor" || echo "none dropped" \
    "by the monitor itself")); JACK xruns during playback: $xruns"
[ "$dropped" -le $((events / 10)) ] || e2e_fail "$dropped events not heard: too many to judge"
sort -g "$E2E_DIR/lateness.txt" | awk '
    { v[NR] = $1 }
    END {
        n = NR
        printf "lateness against due (ms, %d gaps): min %.3f  p50 %.3f  p99 %.3f  max %.3f\n",
            n, v[1], v[int(n * 0.5) + 1], v[int(n * 0.99) + 1], v[n]
    }'
awk -v total="$total_ms" -v first="$first" -v last="$last" 'BEGIN {
    printf "whole playback: %.1f ms heard for %d ms recorded (%.1f ms long)\n",
        (last - first) / 48.0, total, (last - first) / 48.0 - total }'
echo "piano CPU: idle ${idle}% of a core, playing ${playing}% of a core"

# A MIDI file: the lateness of each message against its time in the song.
midi_files() { /usr/bin/python3 "$here/tests/e2e/recording/midi_files.py" "$@"; }
heard_count() { grep -cE '^[[:space:]]*[0-9]+:' "$monitor" || true; }
song="$E2E_DIR/bench.mid"
midi_files bench "$song" "$events"
rec_open_file "$main" "$song"
sleep 1
before=$(heard_count)
before_sent=$(wc -l <"$trace")
xruns=$(rec_xruns)
t0=$(now) c0=$(cpu_ticks)
rec_click_play "$main"
deadline=$((SECONDS + total_ms / 1000 + 120))
while [ "$(heard_count)" -lt $((before + events * 9 / 10)) ]; do
    [ $SECONDS -lt $deadline ] || e2e_fail "the MIDI file did not finish"
    sleep 0.2
done
sleep 2 # the rest, and what the monitor dropped
t1=$(now) c1=$(cpu_ticks)
echo "MIDI file: $events notes on 4 channels; JACK xruns during playback: $(($(rec_xruns) - xruns))"
echo "heard at the monitor (JACK time; lost time shows here as lateness):"
midi_files lateness "$monitor" "$before" "$song"
echo "sent by the piano (its own trace on the steady clock: the player's lateness alone):"
midi_files lateness "$trace" "$before_sent" "$song"
awk -v c="$((c1 - c0))" -v hz="$hz" -v t0="$t0" -v t1="$t1" \
    'BEGIN { printf "piano CPU: playing the MIDI file %.2f%% of a core\n", 100 * c / hz / (t1 - t0) }'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
