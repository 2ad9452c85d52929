#!/usr/bin/env bash
# Helpers of the device tests, on top of harness.sh (source that first).

# Starts bin/midi-send as a JACK MIDI port; lines written with e2e_send reach it. Start it
# before the piano, which lists its devices only once.
e2e_start_sender() {
    local fifo="$E2E_DIR/midi-send.in"
    mkfifo "$fifo"
    # Read-write, so opening does not wait for the reader and the pipe stays open between lines.
    exec {E2E_SEND_FD}<>"$fifo"
    "$BIN/midi-send" <"$fifo" >"$E2E_DIR/midi-send.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_line "$E2E_DIR/midi-send.log" '^ready$' 10 || e2e_fail "midi-send did not start"
}

e2e_send() { # LINE...
    local line
    for line in "$@"; do
        echo "$line" >&"$E2E_SEND_FD"
    done
}

e2e_input_index() { # PORT-NAME-PART
    e2e_jack_ask "$BIN/midi-port-index" --input "$1" || e2e_fail "no MIDI input device named like $1"
}

# Waits until a JACK port exists.
e2e_wait_port() { # PORT [SECONDS]
    local deadline=$((SECONDS + ${2:-10}))
    while [ $SECONDS -lt $deadline ]; do
        e2e_jack_ask jack_lsp | grep -qx "$1" && return 0
        sleep 0.05
    done
    return 1
}

# Starts jack_rec on a port and returns once it is connected, so what follows is recorded.
e2e_start_recording() { # FILE SECONDS PORT
    # A buffer for the whole take: on a loaded machine the writer thread falls behind, and
    # jack_rec then leaves garbage in the file.
    E2E_REC_FILE=$1 E2E_REC_SECONDS=$2
    E2E_REC_LOG="$1.log"
    jack_rec -f "$1" -d "$2" -B $((48000 * ($2 + 1))) "$3" >"$E2E_REC_LOG" 2>&1 &
    E2E_REC_PID=$!
    E2E_PIDS+=($E2E_REC_PID)
    local deadline=$((SECONDS + 10))
    while [ $SECONDS -lt $deadline ]; do
        # jack_lsp -c lists a port's connections indented under it.
        e2e_jack_ask jack_lsp -c "$3" | grep -q '^ .*jackrec' && return 0
        sleep 0.02
    done
    e2e_fail "jack_rec did not connect to $3"
}

# True once a WAV file's header counts every byte of the file: libsndfile writes the sizes
# when it closes the file.
e2e_wav_complete() { # FILE
    local size riff
    size=$(stat -c %s "$1" 2>/dev/null) || return 1
    riff=$(od -An -t u4 -j 4 -N 4 "$1" | tr -d ' ')
    [ "$size" -gt 44 ] && [ "$riff" = $((size - 8)) ]
}

e2e_wait_recording() {
    # jack_rec ends once its take is on disk; a JACK server that stopped running it would keep
    # the test waiting for good. It closes the file before its JACK client, so one that hangs
    # closing the client (see e2e_jack_ask) has done its work.
    # A take ends in its length and a little: ten seconds more is plenty on a loaded machine.
    local bound=$((E2E_REC_SECONDS + 10))
    local deadline=$((SECONDS + bound)) status=0 ended=0
    while kill -0 "$E2E_REC_PID" 2>/dev/null; do
        if [ $SECONDS -ge $deadline ]; then
            e2e_wav_complete "$E2E_REC_FILE" || e2e_fail "jack_rec did not finish its take in $bound s"
            echo "jack_rec hung closing its JACK client after its take; it is ended" >&2
            e2e_note_retry "ended: libjack hung closing a client" "jack_rec"
            kill -9 "$E2E_REC_PID"
            ended=1
            break
        fi
        sleep 0.05
    done
    wait "$E2E_REC_PID" || status=$?
    [ $status -eq 0 ] || [ $ended -eq 1 ] || e2e_fail "jack_rec failed (status $status)"
    ! grep -q overrun "$E2E_REC_LOG" || e2e_fail "jack_rec lost samples: $(head -n1 "$E2E_REC_LOG")"
}

# Fails unless the loudest part of a recording has a pitch within PERCENT of HZ.
e2e_expect_pitch() { # FILE HZ PERCENT WHAT
    local got
    got=$("$BIN/wav-pitch" --rms "$1" 2>>"$E2E_DIR/wav-pitch.log") ||
        e2e_fail "$4: no tone in the recording"
    awk -v got="$got" -v want="$2" -v pct="$3" \
        'BEGIN { d = got - want; if (d < 0) d = -d; exit !(d <= want * pct / 100) }' ||
        e2e_fail "$4: heard $got Hz, expected $2 Hz within $3%"
    echo "$4: $got Hz"
}
