#!/usr/bin/env bash
# Shared helpers for end-to-end tests: a private JACK server (dummy driver), a private X
# display, a fresh HOME, and the real programs. Source it, then call e2e_setup.
#
#   BIN      folder with TamberPiano, CorventServer and the test tools (set by ctest)
#   E2E_JACK_PERIOD   JACK period in frames (default 1024, about 21 ms: on a busy or virtual
#                     machine a client misses a shorter period's deadline now and then, even
#                     with real-time priority, and that cycle's MIDI is lost; tests of timing
#                     ask for 128)

set -Eeuo pipefail

E2E_PIDS=()
E2E_DIR=""
E2E_FAILED=""
# A command that fails outside a test's own checks ends the script (set -e) without a word;
# the last one is remembered, so the exit can say which it was.
E2E_LAST_ERROR=""
trap 'E2E_LAST_ERROR="line $LINENO: $BASH_COMMAND (status $?)"' ERR

# Where each of our programs still running stands, thread by thread (with gdb, where there is
# one): a program that hangs says where.
e2e_dump_stacks() {
    local pid comm
    command -v gdb >/dev/null || return 0
    for pid in "${E2E_PIDS[@]}"; do
        comm=$(cat "/proc/$pid/comm" 2>/dev/null) || continue
        case $comm in
        TamberPiano | CorventServer)
            timeout 30 gdb -p "$pid" -batch -ex "thread apply all bt 20" 2>&1 |
                grep -E '^(Thread|#)' >"$E2E_DIR/stacks-$comm-$pid.log" || true
            ;;
        esac
    done
}

e2e_fail() {
    E2E_FAILED=1
    E2E_FAILURE=$*
    echo "FAIL: $*" >&2
    if [ -n "$E2E_DIR" ]; then
        e2e_dump_stacks
        for f in "$E2E_DIR"/*.log; do
            [ -f "$f" ] || continue
            echo "---- $(basename "$f")" >&2
            tail -n 40 "$f" >&2
        done
    fi
    exit 1
}

e2e_cleanup() {
    local status=$? pid log
    if [ $status -ne 0 ] && [ -z "$E2E_FAILED" ] && [ -n "$E2E_LAST_ERROR" ]; then
        echo "FAIL: $E2E_LAST_ERROR" >&2
    fi
    # A monitor that lost messages cannot vouch for what the piano sent.
    if [ $status -eq 0 ] && [ -n "$E2E_DIR" ]; then
        for log in "$E2E_DIR"/*.log; do
            if grep -q '^midi-dump: .* dropped' "$log" 2>/dev/null; then
                echo "FAIL: $(basename "$log"): $(grep -m1 '^midi-dump: .* dropped' "$log")" >&2
                status=1
            fi
        done
    fi
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${E2E_PIDS[i]}
        kill "$pid" 2>/dev/null || true
    done
    # Give jackd time to unregister itself before anything is killed outright.
    for _ in $(seq 50); do
        local alive=0
        for pid in "${E2E_PIDS[@]}"; do
            kill -0 "$pid" 2>/dev/null && alive=1
        done
        [ $alive -eq 0 ] && break
        sleep 0.1
    done
    for pid in "${E2E_PIDS[@]}"; do
        kill -9 "$pid" 2>/dev/null || true
    done
    local lost=0
    [ $status -ne 0 ] && [ -n "$E2E_DIR" ] && lost=$(grep -c "was not finished" "$E2E_DIR/jackd.log" || true)
    [ -n "$E2E_DIR" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_DIR"
    # A JACK cycle a client did not finish in time (an xrun: the machine held it back) loses
    # what that cycle carried, through no fault of the piano. A failed try in which JACK lost
    # cycles is the machine's: the test runs again, up to three tries, and says so (also in
    # $E2E_RETRY_LOG, for the soak). A try in which JACK kept time must pass.
    local try=${E2E_TRY:-1}
    if [ "$lost" -gt 0 ] && [ "$try" -lt 3 ]; then
        local machine
        machine=$(e2e_machine_state)
        echo "try $try: JACK lost $lost cycles ($machine); the test runs again" >&2
        e2e_note_retry "the test ran again: JACK lost cycles" \
            "try $try lost $lost; $machine; it failed: ${E2E_FAILURE:-exit status $status}"
        e2e_wait_machine_calm
        trap - EXIT
        E2E_TRY=$((try + 1)) exec bash "$E2E_SCRIPT"
    fi
    exit $status
}

# Time the hypervisor gave to others (steal), in ticks of 10 ms, all CPUs together.
e2e_steal_ticks() { awk '/^cpu /{ print $9 }' /proc/stat; }

# What the machine was doing beside the test, for a try that lost time: time stolen by the
# hypervisor since the test began, pages still to be written back, the load.
e2e_machine_state() {
    local steal=$(($(e2e_steal_ticks) - ${E2E_MACHINE_MARK:-$(e2e_steal_ticks)}))
    printf 'stolen %d ms, %s kB dirty, load %s' $((steal * 10)) \
        "$(awk '/^(Dirty|Writeback):/{ s += $2 } END { print s }' /proc/meminfo)" \
        "$(cut -d' ' -f1 /proc/loadavg)"
}

# Before a try that follows one the machine spoiled: the pages still to be written are written,
# and the CPUs' pressure (the share of the last 10 s in which something waited for a CPU) has
# fallen below 10 %, or 30 s have passed.
e2e_wait_machine_calm() {
    sync
    [ -r /proc/pressure/cpu ] || return 0
    for _ in $(seq 60); do
        awk '/^some/{ split($2, a, "="); exit !(a[2] < 10) }' /proc/pressure/cpu && return 0
        sleep 0.5
    done
}

# For the soak's count of what was done again, and why: one line per retry.
e2e_note_retry() { # REASON DETAIL
    [ -z "${E2E_RETRY_LOG:-}" ] ||
        printf '%s\t%s\t%s\n' "$(basename "$E2E_SCRIPT")" "$1" "$2" >>"$E2E_RETRY_LOG"
}

# Runs a JACK client that answers one question and ends (jack_lsp, midi-port-index, ...); its
# answer on stdout, its messages in jack-tools.log. libjack can hang for good in
# jack_client_close: the client's notification thread is cancelled while it holds the lock
# of the server's socket, and closing waits for that lock (jackaudio/jack2 issue 395, not
# mended in Debian 12's 1.9.21; seen here as a jack_lsp that never ended). The answer, still
# in the tool's output buffer, goes with it. So a tool that has not ended in 8 s is killed and
# asked again, up to three times, and it says so.
e2e_jack_ask() { # COMMAND [ARGS...]
    local try out status
    for try in 1 2 3; do
        status=0
        out=$(timeout -s KILL 8 "$@" 2>>"$E2E_DIR/jack-tools.log") || status=$?
        if [ $status -ne 137 ]; then
            [ -z "$out" ] || printf '%s\n' "$out"
            return $status
        fi
        echo "$(basename "$1") hung closing its JACK client (try $try); asked again" >&2
        e2e_note_retry "asked again: libjack hung closing a client" "$(basename "$1") try $try"
    done
    return $status
}

# Runs the calling script again in a mount namespace of its own with an empty /dev/shm.
# JACK keeps a registry of at most eight servers there, and a server killed before it
# could unregister keeps its place for good; private, no test can fill the machine's.
# Without the rights for it (not root), the script goes on as it is.
e2e_private_shm() { # SCRIPT [ARGS...]
    [ -z "${E2E_PRIVATE_SHM:-}" ] || return 0
    unshare -m sh -c 'mount -t tmpfs tmpfs /dev/shm' 2>/dev/null || return 0
    export E2E_PRIVATE_SHM=1
    exec unshare -m bash -c 'mount -t tmpfs -o mode=1777 tmpfs /dev/shm && exec bash "$@"' \
        bash "$@"
}

# Starts JACK and Xvfb, each private to this test, and a fresh HOME.
e2e_setup() {
    E2E_SCRIPT=$0
    E2E_MACHINE_MARK=$(e2e_steal_ticks)
    e2e_private_shm "$0"
    E2E_DIR=$(mktemp -d /tmp/tp-e2e.XXXXXX)
    trap e2e_cleanup EXIT
    export HOME="$E2E_DIR/home"
    export XDG_CONFIG_HOME="$HOME/.config"
    export XDG_RUNTIME_DIR="$E2E_DIR/run"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
    export QT_QPA_PLATFORM=xcb
    export JACK_DEFAULT_SERVER="tp$$_$RANDOM"
    export JACK_NO_AUDIO_RESERVATION=1
    export JACK_NO_START_SERVER=1

    jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p "${E2E_JACK_PERIOD:-1024}" \
        >"$E2E_DIR/jackd.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_jack_ask jack_wait -w -t 5 >/dev/null || e2e_fail "JACK server did not start"

    # -noreset: by default the server resets itself whenever its last client leaves (a piano
    # ended, xdotool done), and a program that connects during the reset is hung up on; Qt
    # then cannot open the display. Seen as a piano that died at start against a ready display.
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$E2E_DIR/display" \
        >"$E2E_DIR/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    E2E_PIDS+=($E2E_XVFB_PID)
    for _ in $(seq 100); do
        [ -s "$E2E_DIR/display" ] && break
        sleep 0.05
    done
    [ -s "$E2E_DIR/display" ] || e2e_fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$E2E_DIR/display")"
    # The number is written once the server is set up; a program started before it accepts
    # connections could not open its windows, so this waits until a client gets through.
    for _ in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    e2e_fail "Xvfb on $DISPLAY accepts no connections"
}

# Writes the piano's settings file before it starts.
e2e_settings() { # OUT IN WELCOMED
    local dir="$XDG_CONFIG_HOME/Tamber Piano"
    mkdir -p "$dir"
    printf '[Devices]\nOutDevice=%s\nInDevice=%s\n\n[%%General]\nWelcomed=%s\n' "$1" "$2" "$3" \
        >"$dir/Tamber Piano.ini"
}

e2e_settings_file() { echo "$XDG_CONFIG_HOME/Tamber Piano/Tamber Piano.ini"; }

# Starts the MIDI monitor (bin/midi-dump); its port appears to the piano as a MIDI output
# device. Each message is a line "   0: 90 48 7f" (with -a, the JACK frame time since the
# monitor started in place of the 0). Start it before the piano, which lists its devices once.
e2e_start_monitor() { # [NAME] [-a]
    local name=${1:-midi-monitor}
    "$BIN/midi-dump" ${2:-} "$name" >"$E2E_DIR/$name.log" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do
        e2e_jack_ask jack_lsp | grep -q "^$name:input" && return 0
        sleep 0.05
    done
    e2e_fail "MIDI monitor $name did not appear"
}

# Waits until a monitor has printed nothing new for half a second: what the piano was sending
# has arrived.
e2e_wait_quiet() { # LOG [SECONDS]
    local seen last=-1 still=0 deadline=$((SECONDS + ${2:-20}))
    while [ $still -lt 10 ]; do
        [ $SECONDS -lt $deadline ] || return 1
        seen=$(wc -l <"$1")
        if [ "$seen" = "$last" ]; then still=$((still + 1)); else still=0; fi
        last=$seen
        sleep 0.05
    done
}

e2e_monitor_log() { echo "$E2E_DIR/${1:-midi-monitor}.log"; }

# The output-device index under which the piano lists a MIDI port.
e2e_output_index() { # PORT-NAME-PART
    e2e_jack_ask "$BIN/midi-port-index" "$1" || e2e_fail "no MIDI output device named like $1"
}

e2e_start_piano() { # [extra environment assignments...]
    env "$@" "$BIN/TamberPiano" >"$E2E_DIR/piano.log" 2>&1 &
    E2E_PIANO_PID=$!
    E2E_PIDS+=($E2E_PIANO_PID)
}

# Waits up to 10 s for the piano to end and sets E2E_PIANO_STATUS to its exit status; fails
# while it still runs.
e2e_wait_piano_exit() { # WHAT
    for _ in $(seq 100); do
        kill -0 "$E2E_PIANO_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$E2E_PIANO_PID" 2>/dev/null && e2e_fail "$1: the piano is still running"
    E2E_PIANO_STATUS=0
    wait "$E2E_PIANO_PID" || E2E_PIANO_STATUS=$?
}

# Waits for a visible window whose title matches; prints its id.
e2e_wait_window() { # TITLE-REGEX [SECONDS]
    local deadline=$((SECONDS + ${2:-15})) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

e2e_main_window() { e2e_wait_window '^Tamber Piano$' "${1:-15}" || e2e_fail "no main window"; }

# Focuses a window; there is no window manager, so the harness does it after each box.
e2e_focus() { xdotool windowfocus --sync "$1"; }

# How many windows of a process are on screen; an open menu is one of them. xdotool's search
# fails outright when a window goes away while it looks at it (a dialog just closed), and
# when it finds none: it is asked again until it answers, up to a second.
e2e_window_count() { # PID
    local ids
    for _ in $(seq 20); do
        if ids=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null); then
            echo "$ids" | wc -l
            return 0
        fi
        sleep 0.05
    done
    echo 0
}

# The names of a process's windows on screen, for a failure's message.
e2e_window_names() { # PID
    local id
    for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        printf '[%s] ' "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

# Sends keys to the focused window, then waits until the process shows COUNT windows: a menu or
# submenu that has opened (or closed) is there to take the next key.
e2e_key_until_windows() { # PID COUNT KEYS...
    local pid=$1 count=$2 deadline=$((SECONDS + 10))
    shift 2
    xdotool key "$@"
    while [ $SECONDS -lt $deadline ]; do
        [ "$(e2e_window_count "$pid")" -eq "$count" ] && return 0
        sleep 0.05
    done
    e2e_fail "after the keys $*: $(e2e_window_count "$pid") windows on screen, not $count:" \
        "$(e2e_window_names "$pid")"
}

# Closes a message box by pressing Enter in it.
e2e_close_box() { # TITLE
    local id
    id=$(e2e_wait_window "^$1\$" 10) || e2e_fail "no box titled $1"
    xdotool windowfocus --sync "$id"
    xdotool key Return
    for _ in $(seq 50); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    e2e_fail "box $1 did not close"
}

# Waits until a file has a line matching an extended regex.
e2e_wait_line() { # FILE REGEX [SECONDS]
    local deadline=$((SECONDS + ${3:-10}))
    while [ $SECONDS -lt $deadline ]; do
        grep -Eq "$2" "$1" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

e2e_count_lines() { # FILE REGEX
    grep -Ec "$2" "$1" 2>/dev/null || true
}
