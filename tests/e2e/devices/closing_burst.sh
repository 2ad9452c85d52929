#!/usr/bin/env bash
# Fifty times in a row a JACK MIDI port of the piano's opens, takes a burst of 256 notes and
# closes, as at every exit and device change: every burst and its 16 All Notes Off arrive
# whole (the port is let go only once JACK has delivered what was queued for it).
source "$E2E_HARNESS"
e2e_setup
e2e_start_monitor
log=$(e2e_monitor_log)
rounds=50
heard() { grep -cE '^ *[0-9]+:' "$log" || true; }
# The messages heard since the first SKIP, one a line, without the monitor's frame times.
messages_after() { grep -E '^ *[0-9]+:' "$log" | tail -n +$(($1 + 1)) | sed -E 's/^ *[0-9]+: //'; }

base=$(heard)
"$BIN/midi-burst" midi-monitor $rounds >"$E2E_DIR/burst.log" 2>&1 ||
    e2e_fail "midi-burst failed: $(cat "$E2E_DIR/burst.log")"
for _ in $(seq 200); do
    [ $(($(heard) - base)) -ge $((rounds * 272)) ] && break
    sleep 0.05
done
e2e_wait_quiet "$log" || e2e_fail "the monitor did not come to rest"
got=$(($(heard) - base))
[ "$got" -eq $((rounds * 272)) ] || e2e_fail "heard $got messages of $((rounds * 272))"
for channel in 0 1 2 3 4 5 6 7 8 9 a b c d e f; do
    n=$(messages_after "$base" | grep -c "^b$channel 7b 00$" || true)
    [ "$n" -eq $rounds ] || e2e_fail "All Notes Off on channel $channel arrived $n times of $rounds"
done
# Each burst in order: 128 note-ons, 128 note-offs, then All Notes Off on channels 0 to f.
messages_after "$base" | awk -v rounds=$rounds '
    { i = (NR - 1) % 272
      if (i < 128) want = sprintf("90 %02x 64", i)
      else if (i < 256) want = sprintf("80 %02x 00", i - 128)
      else want = sprintf("b%x 7b 00", i - 256)
      if ($0 != want) { printf "message %d is \"%s\", not \"%s\"\n", NR, $0, want; exit 1 } }' ||
    e2e_fail "a burst arrived out of order"
echo "$rounds closing bursts arrived whole"
