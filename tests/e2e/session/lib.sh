#!/usr/bin/env bash
# Helpers for end-to-end tests of a session: a relay server and two pianos on one machine.
# Source it after the harness.

# The relay listens on the fixed port 9050, so a session test runs in a private network
# namespace: the script re-executes itself inside one (with loopback up) before anything starts.
# As root it keeps root's own capabilities there, so JACK's threads still get real-time
# scheduling (a user namespace would refuse it and a loaded machine would drop MIDI in xruns).
sess_enter_netns() { # "$@" of the script
    [ -n "${TP_IN_NETNS:-}" ] && return 0
    local script user=-r
    script=$(readlink -f "${BASH_SOURCE[1]}")
    [ "$(id -u)" = 0 ] && user=""
    exec unshare $user -n env TP_IN_NETNS=1 sh -c 'ip link set lo up && exec bash "$0" "$@"' \
        "$script" "$@"
}

# The chat window's title: "Corvent", and the room's name after it once a server of rooms names it.
SESS_CHAT_TITLE='^Corvent( — .+)?$'

sess_start_server() { # [extra options of the relay...]
    env -u DISPLAY "$BIN/CorventServer" --headless "$@" >"$E2E_DIR/server.log" 2>&1 &
    SESS_SERVER_PID=$!
    E2E_PIDS+=($SESS_SERVER_PID)
    e2e_wait_line "$E2E_DIR/server.log" '^8\. ' 10 || e2e_fail "the server did not start"
}

# Each piano gets its own HOME, settings and log: piano-NAME.log. Sets SESS_PID_<NAME>.
sess_start_piano() { # NAME OUT-DEVICE
    local name=$1 home="$E2E_DIR/home-$1"
    local dir="$home/.config/Tamber Piano"
    mkdir -p "$dir"
    printf '[Devices]\nOutDevice=%s\nInDevice=-1\n\n[%%General]\nWelcomed=1\n' "$2" \
        >"$dir/Tamber Piano.ini"
    HOME="$home" XDG_CONFIG_HOME="$home/.config" "$BIN/TamberPiano" \
        >"$E2E_DIR/piano-$name.log" 2>&1 &
    E2E_PIDS+=($!)
    printf -v "SESS_PID_$name" '%s' $!
}

# The visible window of one process whose title matches; waits for it, prints its id.
sess_window() { # PID TITLE-REGEX [SECONDS] [EXCLUDED-ID]
    local deadline=$((SECONDS + ${3:-15})) id
    while [ $SECONDS -lt $deadline ]; do
        for id in $(xdotool search --all --onlyvisible --pid "$1" --name "$2" 2>/dev/null || true); do
            if [ "$id" != "${4:-}" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

# Ctrl+J, then the address (127.0.0.1 unless given) and Enter in the address box; prints the
# address box's id.
sess_enter_address() { # PID MAIN-WINDOW [ADDRESS]
    local box
    e2e_focus "$2"
    xdotool key ctrl+j
    box=$(sess_window "$1" '^Corvent$' 10) || e2e_fail "no address box after Ctrl+J"
    e2e_focus "$box"
    xdotool key ctrl+a BackSpace
    xdotool type --delay 20 "${3:-127.0.0.1}"
    xdotool key Return
    echo "$box"
}

# Joins through Ctrl+J and the address box; prints the chat window's id once it shows.
sess_join() { # PID MAIN-WINDOW [ADDRESS]
    local box chat
    box=$(sess_enter_address "$1" "$2" "${3:-127.0.0.1}")
    chat=$(sess_window "$1" "$SESS_CHAT_TITLE" 10 "$box") || e2e_fail "no chat window after joining"
    e2e_focus "$2"
    echo "$chat"
}

# The colour of one pixel of a window, as "R,G,B".
sess_pixel() { # WINDOW X Y
    local shot="$E2E_DIR/shot-$1.png"
    import -window "$1" "$shot" || e2e_fail "no screenshot of window $1"
    convert "$shot" -format '%[fx:round(255*r)],%[fx:round(255*g)],%[fx:round(255*b)]' \
        -crop "1x1+$2+$3" +repage info:
}

# The whole transcript of a chat window, copied through the clipboard.
sess_transcript() { # CHAT-WINDOW
    e2e_focus "$1"
    # The transcript fills the window's top left (8, 8, 297 x 181).
    xdotool mousemove --window "$1" 100 60 click 1
    xdotool key ctrl+a ctrl+c
    timeout 5 xclip -o -selection clipboard 2>/dev/null || true
}
