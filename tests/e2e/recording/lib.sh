#!/usr/bin/env bash
# Helpers for the recording tests and the playback benchmark; source after harness.sh.

# The client area of the main window is 201 pixels high; the menu bar sits above it.
REC_CLIENT_HEIGHT=201
# Centres of the Record and Play buttons in the client area: the Recording frame at
# (184, 8), the buttons at (8, 16) and (64, 16) inside it, 49 x 25 each.
REC_RECORD_X=$((184 + 8 + 24))
REC_PLAY_X=$((184 + 64 + 24))
REC_BUTTON_Y=$((8 + 16 + 12))


# Like e2e_start_monitor, but every line carries the JACK frame time since the monitor
# started, so delays between messages can be measured to the sample.
rec_start_monitor() { e2e_start_monitor "${1:-midi-monitor}" -a; }

# The monitor's note messages as "FRAME STATUS NOTE VELOCITY" (hex bytes as printed), one a
# line, in arrival order; other messages (the start-up program change) are left out.
rec_monitor_notes() { # LOG
    awk '{
        sub(/:/, " ")
        if (NF >= 4 && ($2 ~ /^[89]/)) print $1, $2, $3, $4
    }' "$1"
}

rec_count_notes() { rec_monitor_notes "$1" | wc -l; }

# Waits until the monitor has seen at least COUNT note messages.
rec_wait_notes() { # LOG COUNT [SECONDS]
    local deadline=$((SECONDS + ${3:-10}))
    while [ $SECONDS -lt $deadline ]; do
        [ "$(rec_count_notes "$1")" -ge "$2" ] && return 0
        sleep 0.05
    done
    return 1
}

# Clicks a point of the main window's client area (the menu bar height is measured).
rec_click() { # WINDOW X Y
    local HEIGHT=0 menu
    eval "$(xdotool getwindowgeometry --shell "$1")"
    menu=$((HEIGHT - REC_CLIENT_HEIGHT))
    [ "$menu" -ge 0 ] || e2e_fail "main window is only $HEIGHT pixels high"
    xdotool mousemove --window "$1" "$2" $(($3 + menu)) click 1
}

rec_click_record() { rec_click "$1" $REC_RECORD_X $REC_BUTTON_Y; }
rec_click_play() { rec_click "$1" $REC_PLAY_X $REC_BUTTON_Y; }

# Answers File > New... (Ctrl+N), File > Open... (Ctrl+O) or another file dialog that KEYS
# (one or more, space-separated) open with a full path.
rec_choose_file() { # WINDOW KEYS TITLE PATH
    e2e_focus "$1"
    # shellcheck disable=SC2086 # one argument a key
    xdotool key $2
    rec_answer_dialog "$1" "$3" "$4"
}

# Answers a file dialog just asked for with a full path; returns once it has gone, with the
# main WINDOW focused again. Typing a path opens the name field's completion list, a window of
# its own that may leave the screen after the dialog: while it is there it grabs the keyboard,
# so the next key would close it instead of reaching the main window. The dialog has gone
# when the program shows fewer windows than while it was open.
rec_answer_dialog() { # WINDOW TITLE PATH
    local dialog pid open
    dialog=$(e2e_wait_window "^$2\$" 10) || e2e_fail "no dialog titled $2"
    pid=$(xdotool getwindowpid "$1")
    open=$(e2e_window_count "$pid")
    e2e_focus "$dialog"
    # The file name field has the focus; replace whatever it holds.
    xdotool key ctrl+a
    xdotool type --delay 5 "$3"
    xdotool key Return
    for _ in $(seq 100); do
        if ! xdotool search --onlyvisible --name "^$2\$" >/dev/null 2>&1 &&
            [ "$(e2e_window_count "$pid")" -lt "$open" ]; then
            e2e_focus "$1"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "dialog $2 did not close (the program shows $(e2e_window_count "$pid") windows)"
}

rec_new_file() { rec_choose_file "$1" ctrl+n "New Recording" "$2"; }
rec_open_file() { rec_choose_file "$1" ctrl+o "Open Recording" "$2"; }

# True while the process holds the file open.
rec_holds_file() { # PID FILE
    local fd
    for fd in /proc/"$1"/fd/*; do
        [ "$(readlink "$fd" 2>/dev/null)" = "$2" ] && return 0
    done
    return 1
}

rec_wait_closed() { # PID FILE [SECONDS]
    local deadline=$((SECONDS + ${3:-10}))
    while [ $SECONDS -lt $deadline ]; do
        rec_holds_file "$1" "$2" || return 0
        sleep 0.05
    done
    return 1
}

# Waits until the piano's log (started with the files category's debug messages on) has at
# least COUNT lines with TEXT.
rec_wait_log_count() { # TEXT COUNT [SECONDS]
    local deadline=$((SECONDS + ${3:-10}))
    while [ $SECONDS -lt $deadline ]; do
        [ "$(grep -cF -- "$1" "$E2E_DIR/piano.log" 2>/dev/null || true)" -ge "$2" ] && return 0
        sleep 0.05
    done
    return 1
}

rec_wait_size() { # FILE MIN-BYTES [SECONDS]
    local deadline=$((SECONDS + ${3:-10}))
    while [ $SECONDS -lt $deadline ]; do
        [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -ge "$2" ] && return 0
        sleep 0.05
    done
    return 1
}

# The first eight bytes as hex, for comparison with "TBR\0DATA".
rec_file_header() { od -An -v -t x1 -N 8 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

# The signed 32-bit little-endian count at offset 8.
rec_file_count() { od -An -v -t d4 -j 8 -N 4 "$1" | tr -d ' \n'; }

# The file's events as "DELAY STATUS NOTE VELOCITY ZERO" (message bytes in hex), as many as
# the count says or the file holds, whichever is fewer.
rec_file_events() { # FILE
    local count
    count=$(rec_file_count "$1")
    [ "${count:-0}" -gt 0 ] || return 0
    paste -d ' ' \
        <(od -An -v -t d4 -w8 -j 12 "$1" | awk '{ print $1 }') \
        <(od -An -v -t x1 -w8 -j 12 "$1" | awk '{ print $5, $6, $7, $8 }') |
        awk -v count="$count" 'NR <= count'
}

# Writes a recording from lines of "DELAY STATUS NOTE VELOCITY" on stdin (decimal delay, hex
# message bytes); the count is the number of lines. perl is part of every Debian system.
rec_write_file() { # FILE
    perl -e '
        my @events;
        while (<STDIN>) {
            my ($delay, @bytes) = split;
            next unless defined $delay;
            push @events, pack("l<C4", $delay, (map { hex } @bytes), 0);
        }
        print "TBR\0DATA", pack("l<", scalar @events), @events;
    ' >"$1"
}

# Compares heard notes ("FRAME STATUS NOTE VELOCITY", 48 frames a millisecond) with file
# events ("DELAY STATUS NOTE VELOCITY ZERO"). Prints one line per event. Exit status 2 when
# the messages or their order differ, 1 when a gap between two heard notes is more than
# TOLERANCE ms off the later event's recorded delay, 0 when all is well.
rec_compare() { # HEARD-FILE EVENTS-FILE TOLERANCE-MS LABEL
    awk -v tol="$3" -v label="$4" '
        NR == FNR { heard[++h] = $0; next }
        { events[++n] = $0 }
        END {
            if (h < n) { printf "%s: heard %d notes, the file holds %d\n", label, h, n; exit 2 }
            worst = 0
            for (i = 1; i <= n; ++i) {
                split(heard[i], a, " "); split(events[i], e, " ")
                if (a[2] != e[2] || a[3] != e[3] || a[4] != e[4]) {
                    printf "%s: event %d is %s %s %s in the file, heard %s %s %s\n",
                        label, i, e[2], e[3], e[4], a[2], a[3], a[4]
                    exit 2
                }
                gap = "-"; off = 0
                if (i > 1) {
                    gap = sprintf("%.2f", (a[1] - prev) / 48.0); off = gap - e[1]
                    if (off < 0) off = -off
                    if (off > worst) worst = off
                }
                printf "%s: %2d %s %s %s recorded %5d ms, heard %s ms after the previous\n",
                    label, i, e[2], e[3], e[4], e[1], gap
                prev = a[1]
            }
            printf "%s: %d events in order, worst gap error %.2f ms (allowed %s)\n",
                label, n, worst, tol
            exit worst > tol ? 1 : 0
        }' "$1" "$2"
}

rec_xruns() { grep -c XRun "$E2E_DIR/jackd.log" || true; }

# How long, in microseconds, the piano's main thread has waited for a CPU since it started
# (its run-queue time): on a busy machine it plays late through no fault of its own.
rec_cpu_wait_us() {
    awk '{ printf "%d", $2 / 1000 }' "/proc/$E2E_PIANO_PID/task/$E2E_PIANO_PID/schedstat" \
        2>/dev/null || echo 0
}

# Where the machine's lost time stands now, for rec_time_lost.
rec_time_mark() { echo "$(rec_xruns) $(rec_cpu_wait_us)"; }

# Whether the machine lost time since MARK: JACK missed periods (which delays delivery at the
# monitor), or the piano waited for a CPU at least as long as its timing was off beyond the
# tolerance (WORST minus TOLERANCE, in ms). Says what it found.
rec_time_lost() { # MARK WORST-MS TOLERANCE-MS
    local x0 w0 xruns wait_us
    read -r x0 w0 <<<"$1"
    xruns=$(($(rec_xruns) - x0))
    wait_us=$(($(rec_cpu_wait_us) - w0))
    echo "JACK lost time $xruns times; the piano waited $((wait_us / 1000)).$(printf '%03d' $((wait_us % 1000))) ms for a CPU"
    [ "$xruns" -gt 0 ] ||
        awk -v w="$wait_us" -v worst="$2" -v tol="$3" 'BEGIN { exit !(w / 1000 >= worst - tol) }'
}

# Waits for a playback of COUNT events: at least that many notes after the first BEFORE, then
# a monitor that stays quiet (the note-offs of notes still sounding at the end come last).
rec_wait_playback() { # LOG BEFORE COUNT [SECONDS]
    rec_wait_notes "$1" $(($2 + $3)) "${4:-15}" && e2e_wait_quiet "$1"
}

# Waits until a file exists; a file the piano writes whole (renamed into place) is complete then.
rec_wait_file() { # FILE [SECONDS]
    local deadline=$((SECONDS + ${2:-10}))
    while [ $SECONDS -lt $deadline ]; do
        [ -e "$1" ] && return 0
        sleep 0.05
    done
    return 1
}

# The note messages after the first SKIP, at most COUNT of them (all when COUNT is empty);
# read to the end, so no pipe is cut short under pipefail.
rec_notes_after() { # LOG SKIP [COUNT]
    rec_monitor_notes "$1" | awk -v skip="$2" -v count="${3:-}" \
        'NR > skip && (count == "" || NR <= skip + count)'
}
