#!/usr/bin/env bash
# Start-up time, memory and idle CPU of TamberPiano, side by side with VMPK (Debian package
# `vmpk`, installed by hand: it is no dependency of ours); then both on the same output path,
# FluidSynth through a JACK dummy server with the same sound font; then the first key after the
# window maps; then the piano's idle CPU with its audio engine running under JACK.
#
#   ninja -C <build dir> TamberPiano first-sound window-map &&
#       bench/startup_bench.sh <build dir> [runs] [build dir of an earlier piano]
#
# First both programs run on one private Xvfb with no audio device at all (no JACK, no
# PulseAudio, no ALSA card), so neither makes a sound. Start-up is from exec to the main window
# mapped. The first key: the probe (first-sound) presses Z the moment the window maps and holds
# it until the piano's JACK output carries sound; two figures, from the mapping to that sound and
# from the exec to it (a window that maps sooner may leave more of the opening after it), for
# this piano and, when given, an earlier build beside it.
set -euo pipefail
BUILD=$(cd "${1:?usage: startup_bench.sh <build dir> [runs] [earlier build dir]}" && pwd)
RUNS=${2:-5}
EARLIER=${3:+$(cd "$3" && pwd)}
SOUND_FONT=/usr/share/sounds/sf2/default-GM.sf2
PIANO="$BUILD/bin/TamberPiano"
VMPK=$(command -v vmpk || true)
[ -x "$PIANO" ] && [ -x "$BUILD/bin/window-map" ] ||
    { echo "build TamberPiano and window-map first" >&2; exit 2; }

WORK=$(mktemp -d /tmp/tp-startup-bench.XXXXXX)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    sleep 0.5
    for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    rm -rf "$WORK"
}
trap cleanup EXIT

# -noreset: a server that resets when its last client leaves hangs up on the next one.
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$WORK/display")"
# Measured from a display that accepts connections.
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
export QT_QPA_PLATFORM=xcb
# No sound server can be found or started.
export JACK_DEFAULT_SERVER="tp-bench-none-$$" JACK_NO_START_SERVER=1 JACK_NO_AUDIO_RESERVATION=1
export PULSE_SERVER=unix:/nonexistent

now_ns() { date +%s%N; }

# CPU time of every thread of a process, in nanoseconds (finer than the 10 ms of /proc/stat).
cpu_ns() { # PID
    local total=0 t
    for t in /proc/"$1"/task/*/schedstat; do
        read -r run _ <"$t" 2>/dev/null || continue
        total=$((total + run))
    done
    echo "$total"
}

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
pss_kb() { awk '/^Pss:/ { print $2 }' "/proc/$1/smaps_rollup"; }

fresh_home() { # NAME
    export HOME="$WORK/home-$1"
    export XDG_CONFIG_HOME="$HOME/.config" XDG_RUNTIME_DIR="$WORK/run-$1"
    rm -rf "$HOME" "$XDG_RUNTIME_DIR"
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
    chmod 700 "$XDG_RUNTIME_DIR"
}

piano_settings() { # OUT
    mkdir -p "$XDG_CONFIG_HOME/Tamber Piano"
    printf '[Devices]\nOutDevice=%s\nInDevice=-1\n\n[%%General]\nWelcomed=1\n' "$1" \
        >"$XDG_CONFIG_HOME/Tamber Piano/Tamber Piano.ini"
}

# The window's mapping comes from window-map, which the X server wakes: no loop of xdotool
# calls takes CPU from the program being timed. It runs real-time where it may, so that the
# program's own threads (or JACK's) cannot keep it from hearing the mapping when it comes.
REALTIME=()
chrt -f 20 true 2>/dev/null && REALTIME=(chrt -f 20)
listen_for_window() { # SEARCH-ARGS(quoted)
    # shellcheck disable=SC2086
    "${REALTIME[@]}" "$BUILD/bin/window-map" $1 >"$WORK/window-map.out" 2>>"$WORK/window-map.log" &
    MAP_PID=$!
    until grep -q '^ready$' "$WORK/window-map.out" 2>/dev/null; do
        kill -0 "$MAP_PID" 2>/dev/null || { cat "$WORK/window-map.log" >&2; exit 1; }
        sleep 0.01
    done
}
window_mapped() { # sets MAPPED_AT (ns) and MAPPED_ID once the window has mapped
    wait "$MAP_PID" && read -r MAPPED_AT MAPPED_ID < <(sed -n 2p "$WORK/window-map.out")
}

# Runs a program, waits for its window, measures; prints "startup_ms rss_kb pss_kb cpu_pct
# floor_cpu_pct startup_cpu_ms" (the last: CPU time spent until the window was mapped, which a
# loaded machine does not inflate as it does the wall time).
measure() { # SEARCH-ARGS(quoted) IDLE-SECONDS SETTLE-SECONDS COMMAND...
    local search=$1 idle=$2 settle=$3
    shift 3
    local t0 t1 cs pid c0 c1 f0=0 f1=0 rss pss
    listen_for_window "$search"
    t0=$(now_ns)
    "$@" >"$WORK/program.log" 2>&1 &
    pid=$!
    PIDS+=($pid)
    window_mapped || { echo "no window" >&2; cat "$WORK/program.log" >&2; exit 1; }
    t1=$MAPPED_AT
    cs=$(cpu_ns "$pid")
    sleep "$settle"
    rss=$(rss_kb "$pid")
    pss=$(pss_kb "$pid")
    c0=$(cpu_ns "$pid")
    [ -n "${FLOOR_PID:-}" ] && f0=$(cpu_ns "$FLOOR_PID")
    sleep "$idle"
    c1=$(cpu_ns "$pid")
    [ -n "${FLOOR_PID:-}" ] && f1=$(cpu_ns "$FLOOR_PID")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    percent() { awk -v c="$1" -v s="$idle" 'BEGIN { printf "%.3f", c / (s * 1e7) }'; }
    echo "$(((t1 - t0) / 1000000)) $rss $pss $(percent $((c1 - c0))) $(percent $((f1 - f0))) $((cs / 1000000))"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Start-up, memory and idle CPU, $RUNS runs each, no audio device (medians)"
declare -A start rss pss cpu ucpu
for ((run = 1; run <= RUNS; run++)); do
    # The last run also measures idle CPU over 10 s; the others only start-up and memory.
    idle=0.1
    [ "$run" = "$RUNS" ] && idle=10
    fresh_home piano
    piano_settings -1
    read -r s r p c _ u < <(measure "--name ^Tamber.Piano\$" "$idle" 2 "$PIANO")
    start[piano]+="$s "; rss[piano]+="$r "; pss[piano]+="$p "; cpu[piano]=$c; ucpu[piano]+="$u "
    if [ -n "$VMPK" ]; then
        fresh_home vmpk
        read -r s r p c _ u < <(measure "--class ^vmpk\$" "$idle" 2 "$VMPK")
        start[vmpk]+="$s "; rss[vmpk]+="$r "; pss[vmpk]+="$p "; cpu[vmpk]=$c; ucpu[vmpk]+="$u "
    fi
done

row() { # NAME KEY
    printf '%-12s %10s %10s %12s %12s %14s\n' "$1" \
        "$(echo "${start[$2]}" | tr ' ' '\n' | grep . | median)" \
        "$(echo "${ucpu[$2]}" | tr ' ' '\n' | grep . | median)" \
        "$(echo "${rss[$2]}" | tr ' ' '\n' | grep . | median)" \
        "$(echo "${pss[$2]}" | tr ' ' '\n' | grep . | median)" "${cpu[$2]}"
}
printf '%-12s %10s %10s %12s %12s %14s\n' program "start ms" "CPU ms" "RSS KiB" "PSS KiB" \
    "idle CPU %"
row TamberPiano piano
if [ -n "$VMPK" ]; then
    row VMPK vmpk
    ratio() { awk -v a="$(echo "${1}" | tr ' ' '\n' | grep . | median)" \
        -v b="$(echo "${2}" | tr ' ' '\n' | grep . | median)" 'BEGIN { printf "%.2f", a / b }'; }
    echo "start-up ratio $(ratio "${start[piano]}" "${start[vmpk]}") (goal < 0.7; CPU time" \
        "to the window $(ratio "${ucpu[piano]}" "${ucpu[vmpk]}"))," \
        "memory ratio $(ratio "${rss[piano]}" "${rss[vmpk]}") (goal < 0.6)," \
        "idle CPU ${cpu[piano]}% (goal <= 0.1%)"
else
    echo "(vmpk is not installed: apt-get install vmpk for the comparison)"
fi

# The same output path: FluidSynth through a JACK dummy server at 128 frames, the same sound
# font, the built-in synthesizer as the piano's output and VMPK's FluidSynth backend.
export JACK_DEFAULT_SERVER="tp-bench-path-$$"
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 128 >"$WORK/jackd-path.log" 2>&1 &
PATH_JACK=$!
PIDS+=($PATH_JACK)
jack_wait -w -t 5 >/dev/null 2>&1
vmpk_settings() {
    mkdir -p "$XDG_CONFIG_HOME/vmpk.sourceforge.net"
    # Without its output driver named, a fresh VMPK sets the FluidSynth group aside.
    printf '[Connections]\nOutputDriver=FluidSynth\n\n[FluidSynth]\nAudioDriver=jack\n%s\n' \
        "InstrumentsDefinition=$SOUND_FONT" >"$XDG_CONFIG_HOME/vmpk.sourceforge.net/VMPK.conf"
}
declare -A jstart jpss jcpu
for ((run = 1; run <= RUNS; run++)); do
    fresh_home piano
    piano_settings 0
    read -r s _ p _ _ u < <(measure "--name ^Tamber.Piano\$" 0.1 2 "$PIANO")
    jstart[piano]+="$s "; jpss[piano]+="$p "; jcpu[piano]+="$u "
    if [ -n "$VMPK" ]; then
        fresh_home vmpk
        vmpk_settings
        read -r s _ p _ _ u < <(measure "--class ^vmpk\$" 0.1 2 "$VMPK")
        jstart[vmpk]+="$s "; jpss[vmpk]+="$p "; jcpu[vmpk]+="$u "
    fi
done
med() { echo "$1" | tr ' ' '\n' | grep -E '^[0-9.]+$' | median; }
echo "On FluidSynth through JACK (dummy, 48 kHz, 128 frames), $(basename "$SOUND_FONT"), $RUNS" \
    "runs each (medians): TamberPiano start $(med "${jstart[piano]}") ms (CPU" \
    "$(med "${jcpu[piano]}") ms), PSS $(med "${jpss[piano]}") KiB"
if [ -n "$VMPK" ]; then
    quotient() { awk -v a="$(med "$1")" -v b="$(med "$2")" 'BEGIN { printf "%.2f", a / b }'; }
    echo "  VMPK start $(med "${jstart[vmpk]}") ms (CPU $(med "${jcpu[vmpk]}") ms), PSS" \
        "$(med "${jpss[vmpk]}") KiB; start-up ratio $(quotient "${jstart[piano]}" \
        "${jstart[vmpk]}") (goal <= 0.7; CPU time to the window $(quotient "${jcpu[piano]}" \
        "${jcpu[vmpk]}")), PSS ratio $(quotient "${jpss[piano]}" "${jpss[vmpk]}")"
fi

# The first key after the window maps, pressed at once and held until it sounds.
first_key() { # PIANO; prints the milliseconds from the mapping to the sound and from the exec
    local pid t0 t1 id
    fresh_home piano
    piano_settings 0
    coproc PROBE { "$BUILD/bin/first-sound" TamberPiano z 2>>"$WORK/probe.log"; }
    read -r _ <&"${PROBE[0]}"
    listen_for_window "--name ^Tamber.Piano\$"
    t0=$(now_ns)
    "$1" >"$WORK/program.log" 2>&1 &
    pid=$!
    PIDS+=($pid)
    window_mapped || { echo "no window" >&2; exit 1; }
    t1=$MAPPED_AT id=$MAPPED_ID
    xdotool windowfocus "$id" 2>/dev/null || true
    echo "go $t1" >&"${PROBE[1]}"
    read -r ms <&"${PROBE[0]}"
    wait "$PROBE_PID" 2>/dev/null || true
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    # "none" (no sound) stays out of both medians.
    awk -v ms="$ms" -v map=$(((t1 - t0) / 1000)) \
        'BEGIN { if (ms ~ /^[0-9.]+$/) printf "%s %.1f\n", ms, ms + map / 1000; else print ms, ms }'
}
if [ -x "$BUILD/bin/first-sound" ]; then
    declare -A key exec
    for ((run = 1; run <= RUNS; run++)); do
        for build in now earlier; do
            piano=$PIANO
            if [ "$build" = earlier ]; then
                [ -n "$EARLIER" ] || continue
                piano=$EARLIER/bin/TamberPiano
            fi
            read -r k e < <(first_key "$piano")
            key[$build]+="$k " exec[$build]+="$e "
        done
    done
    echo "First key pressed as the window maps, to sound (ms, $RUNS runs):"
    declare -A label=([now]="this piano " [earlier]="earlier one")
    for build in now earlier; do
        [ -n "${key[$build]:-}" ] || continue
        echo "  ${label[$build]} from the mapping $(echo ${key[$build]}) (median" \
            "$(med "${key[$build]}")); from the exec $(echo ${exec[$build]}) (median" \
            "$(med "${exec[$build]}"))"
    done
else
    echo "(first-sound is not built: ninja first-sound for the first key's figure)"
fi
kill "$PATH_JACK" 2>/dev/null || true

# The audio engine running under a JACK dummy server, the sound font loaded, nothing sounding.
export JACK_DEFAULT_SERVER="tp-bench-$$"
jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$WORK/jackd.log" 2>&1 &
PIDS+=($!)
jack_wait -w -t 5 >/dev/null 2>&1
# For comparison, a JACK client that does nothing each period: the cost of being woken.
jack_midi_dump bench-floor >/dev/null 2>&1 &
FLOOR_PID=$!
PIDS+=($FLOOR_PID)
fresh_home audio
piano_settings 0
# Settle past the reverb tail of start-up's program change, after which nothing renders.
read -r s r p c f _ < <(measure "--name ^Tamber.Piano\$" 10 5 "$PIANO")
echo "With the audio engine under JACK (dummy, 48 kHz, 256 frames): start ${s} ms," \
    "RSS ${r} KiB (PSS ${p} KiB; JACK's shared memory counts in both), idle CPU ${c}%" \
    "(goal <= 0.5%); an idle jack_midi_dump over the same 10 s: ${f}%"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
