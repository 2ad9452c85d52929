#!/usr/bin/env bash
# Key press to sound: from an XTest press of Z to the first audible sample (-90 dBFS) that
# reaches a JACK input, N presses per setting, through
#   (a) JACK directly, and
#   (b) a PulseAudio server started here, whose sound card is the same JACK dummy server
#       (module-jack-sink), so that the same probe reads both paths;
# Tamber Piano's built-in synthesizer side by side with VMPK playing through its FluidSynth
# output on the same path with the same sound font, and with VMPK's default output
# (SonivoxEAS, which plays through PulseAudio). A sample's time is the moment its JACK cycle
# reached the probe plus its place in the cycle: JACK's own playback delay (one period) is left
# out of every figure alike. Each setting also gets its xruns per minute of playing: the JACK
# server's, PulseAudio's stream underruns, and the periods Tamber Piano grew.
#
# VMPK and PulseAudio are no dependencies of the piano: install them by hand, once.
#   apt-get install vmpk pulseaudio pulseaudio-module-jack pulseaudio-utils
#   ninja -C <build dir> TamberPiano keyboard_latency midi-port-index
#   bench/key_to_sound.sh <build dir> [presses] [JACK period]
#
# KTS_PULSE_PERIODS="64 128 256" plays Tamber Piano through PulseAudio once per period
# (Audio/PeriodFrames) instead of once with its default; KTS_ROWS="jack pulse vmpk" (the
# default) chooses which rows run; KTS_PIANO_ENV="NAME=value ..." goes into Tamber Piano's
# environment. The load average is printed first and last: the machine is shared, and a busy
# one delays every figure.
#
# The harness may run the script again (in a namespace of its own) without its arguments.
export KTS_BUILD=${KTS_BUILD:-$(cd "${1:?build dir}" && pwd)}
export KTS_PRESSES=${KTS_PRESSES:-${2:-200}} KTS_PERIOD=${KTS_PERIOD:-${3:-64}}
export BIN="$KTS_BUILD/bin" E2E_JACK_PERIOD=$KTS_PERIOD
here=$(dirname "$0")
source "$here/../tests/e2e/harness.sh"
source "$here/../tests/e2e/devices/lib.sh"
VMPK=$(command -v vmpk || true)
for tool in vmpk pulseaudio pactl; do
    command -v $tool >/dev/null || echo "($tool is missing: its rows are left out; see the top of $0)"
done
[ -x "$BIN/keyboard_latency" ] || { echo "build keyboard_latency first" >&2; exit 2; }
e2e_setup

warmup=5 # presses before the counted ones: the sound font may still be loading
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg); JACK dummy, 48000 Hz, $KTS_PERIOD-frame period"

# Presses Z while the probe listens to PORT; the presses end in $E2E_DIR/NAME.txt.
probe() { # NAME PORT WINDOW
    local name=$1 port=$2 window=$3 out="$E2E_DIR/$1.out" pulse0=0 pulse1=0
    [ -f "$E2E_DIR/pulse.log" ] && pulse0=$(grep -c "underrun of '" "$E2E_DIR/pulse.log" || true)
    rm -f "$E2E_DIR/go"
    mkfifo "$E2E_DIR/go"
    "$BIN/keyboard_latency" $((KTS_PRESSES + warmup)) z --audio <"$E2E_DIR/go" >"$out" \
        2>"$E2E_DIR/$name.xruns" &
    local pid=$!
    E2E_PIDS+=($pid)
    exec 7>"$E2E_DIR/go"
    e2e_wait_line "$out" '^ready' 10 || e2e_fail "$name: the probe did not start"
    jack_connect "$port" keyboard-latency:in || e2e_fail "$name: no port $port"
    e2e_focus "$window"
    echo go >&7
    exec 7>&-
    wait "$pid" || e2e_fail "$name: the probe failed"
    grep -v '^ready' "$out" | tail -n +$((warmup + 1)) >"$E2E_DIR/$name.txt"
    [ -f "$E2E_DIR/pulse.log" ] && pulse1=$(grep -c "underrun of '" "$E2E_DIR/pulse.log" || true)
    echo "$((pulse1 - pulse0))" >"$E2E_DIR/$name.underruns"
}

piano_settings() { # [PERIOD]
    e2e_settings 0 -1 1
    [ -z "${1:-}" ] || printf '\n[Audio]\nPeriodFrames=%s\n' "$1" >>"$(e2e_settings_file)"
}

# Tamber Piano with its built-in synthesizer; extra arguments go into its environment.
piano() { # NAME PORT [ENV...]
    local name=$1 port=$2
    shift 2
    e2e_start_piano "$@"
    local window
    window=$(e2e_main_window)
    if [[ $port == TamberPiano:* ]]; then
        e2e_wait_port "$port" 10 || e2e_fail "$name: the synthesizer has no JACK port"
    fi
    probe "$name" "$port" "$window"
    grep -c 'the period grows' "$E2E_DIR/piano.log" >"$E2E_DIR/$name.grown" || true
    { grep 'tamber.sound' "$E2E_DIR/piano.log" || true; } | sed "s/^/  $name: /" >>"$E2E_DIR/notes.txt"
    kill "$E2E_PIANO_PID"
    wait "$E2E_PIANO_PID" 2>/dev/null || true
}

vmpk_config() { # OUTPUT-DRIVER [AUDIO-DRIVER]
    local dir="$HOME/.config/vmpk.sourceforge.net"
    mkdir -p "$dir"
    printf '[Connections]\nInEnabled=false\nOutputDriver=%s\nOutPort=%s\n' "$1" "$1" >"$dir/VMPK.conf"
    [ -z "${2:-}" ] ||
        printf '\n[FluidSynth]\nAudioDriver=%s\nInstrumentsDefinition=%s\n' "$2" \
            /usr/share/sounds/sf2/default-GM.sf2 >>"$dir/VMPK.conf"
}

vmpk_row() { # NAME PORT
    "$VMPK" >"$E2E_DIR/vmpk.log" 2>&1 &
    local pid=$!
    E2E_PIDS+=($pid)
    local window
    window=$(e2e_wait_window '^Virtual MIDI Piano Keyboard$' 20) || e2e_fail "$1: no VMPK window"
    if [[ $2 == fluidsynth:* ]]; then
        e2e_wait_port "$2" 10 || e2e_fail "$1: VMPK's FluidSynth has no JACK port"
    fi
    probe "$1" "$2" "$window"
    echo 0 >"$E2E_DIR/$1.grown"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

# A PulseAudio server of our own, its runtime folder private, its sink the JACK server.
pulse_start() {
    export PULSE_RUNTIME_PATH="$E2E_DIR/pulse" PULSE_STATE_PATH="$E2E_DIR/pulse-state"
    mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
    cat >"$E2E_DIR/pulse.pa" <<EOF
load-module module-jack-sink sink_name=jack client_name=pulse connect=no channels=2
load-module module-native-protocol-unix
set-default-sink jack
EOF
    pulseaudio -n -F "$E2E_DIR/pulse.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --log-level=debug --log-time=1 --log-target="file:$E2E_DIR/pulse.log" >"$E2E_DIR/pulse.out" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && e2e_wait_port pulse:front-left 1 && return 0
        sleep 0.1
    done
    e2e_fail "PulseAudio did not start"
}

runs() { [[ " ${KTS_ROWS:-jack pulse vmpk} " == *" $1 "* ]]; }
[ -n "$VMPK" ] && runs vmpk || VMPK=""
read -r -a piano_env <<<"${KTS_PIANO_ENV:-}"

rows=()
# (a) JACK directly.
if runs jack; then
    piano_settings
    piano tamber-jack TamberPiano:left "${piano_env[@]}"
    rows+=("tamber-jack|Tamber Piano|JACK")
fi
if [ -n "$VMPK" ]; then
    vmpk_config FluidSynth jack
    vmpk_row vmpk-fluid-jack fluidsynth:left
    rows+=("vmpk-fluid-jack|VMPK, FluidSynth|JACK")
fi

# (b) PulseAudio over the same JACK server. The piano must not find JACK itself.
if command -v pulseaudio >/dev/null && command -v pactl >/dev/null && { runs pulse || [ -n "$VMPK" ]; }; then
    pulse_start
    runs pulse || KTS_PULSE_PERIODS=none
    for period in ${KTS_PULSE_PERIODS:-default}; do
        [ "$period" != none ] || continue
        if [ "$period" = default ]; then
            piano_settings
            name=tamber-pulse label="Tamber Piano"
        else
            piano_settings "$period"
            name=tamber-pulse-$period label="Tamber Piano, period $period"
        fi
        piano "$name" pulse:front-left JACK_DEFAULT_SERVER=tp-none-$$ "${piano_env[@]}"
        rows+=("$name|$label|PulseAudio")
    done
    if [ -n "$VMPK" ]; then
        vmpk_config FluidSynth pulseaudio
        vmpk_row vmpk-fluid-pulse pulse:front-left
        rows+=("vmpk-fluid-pulse|VMPK, FluidSynth|PulseAudio")
        vmpk_config SonivoxEAS
        vmpk_row vmpk-default-pulse pulse:front-left
        rows+=("vmpk-default-pulse|VMPK, default (SonivoxEAS)|PulseAudio")
    fi
fi

# p50 p90 p99 max n missed, in ms, of one setting's presses.
stats() { # NAME
    local file="$E2E_DIR/$1.txt"
    awk '$3 > 0 { print ($3 - $1) / 1e6 }' "$file" |
        sort -g | awk -v missed="$(awk '$3 == 0' "$file" | wc -l)" '
            { v[NR] = $1 }
            function q(p) { return v[int(p * (NR - 1) + 0.5) + 1] }
            END { if (NR == 0) { print "- - - - 0", missed + 0; exit }
                  printf "%.2f %.2f %.2f %.2f %d %d\n", q(0.5), q(0.9), q(0.99), v[NR], NR, missed + 0 }'
}
per_minute() { # COUNT SECONDS
    awk -v c="$1" -v s="$2" 'BEGIN { printf "%.1f", (s > 0 ? 60 * c / s : 0) }'
}

echo
printf '%-30s %-11s %7s %7s %7s %7s %5s  %s\n' setting path p50 p90 p99 max n \
    "per minute: JACK xruns, PulseAudio underruns, periods grown"
declare -A p50 p99
for row in "${rows[@]}"; do
    IFS='|' read -r name label path <<<"$row"
    read -r a b c d n missed < <(stats "$name")
    p50[$name]=$a p99[$name]=$c
    read -r _ xruns _ seconds _ < <(grep '^xruns ' "$E2E_DIR/$name.xruns" || echo "xruns 0 in 0 s")
    printf '%-30s %-11s %7s %7s %7s %7s %5s  %s, %s, %s%s\n' "$label" "$path" "$a" "$b" "$c" "$d" "$n" \
        "$(per_minute "$xruns" "$seconds")" \
        "$(per_minute "$(cat "$E2E_DIR/$name.underruns")" "$seconds")" \
        "$(per_minute "$(cat "$E2E_DIR/$name.grown")" "$seconds")" \
        "$([ "$missed" -gt 0 ] && echo " (not heard: $missed)")"
done
echo "(ms from the press to the first audible sample; n presses heard, $warmup more before them)"

ratio() { # WHAT A B
    [ -n "${p50[$2]:-}" ] && [ -n "${p50[$3]:-}" ] || return 0
    awk -v w="$1" -v a50="${p50[$2]}" -v b50="${p50[$3]}" -v a99="${p99[$2]}" -v b99="${p99[$3]}" \
        'BEGIN { printf "%s: p50 %.2f x, p99 %.2f x\n", w, a50 / b50, a99 / b99 }'
}
echo
ratio "Tamber Piano / VMPK FluidSynth, JACK" tamber-jack vmpk-fluid-jack
ratio "Tamber Piano / VMPK FluidSynth, PulseAudio" tamber-pulse vmpk-fluid-pulse
ratio "Tamber Piano / VMPK default, PulseAudio" tamber-pulse vmpk-default-pulse
[ -s "$E2E_DIR/notes.txt" ] && { echo; echo "Tamber Piano's log:"; cat "$E2E_DIR/notes.txt"; }
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
