#!/usr/bin/env bash
# Runs rooms_bench against CorventServer (and ncat --broker where it compares), each relay in a
# fresh private network namespace on port 9050. Prints `uptime` first and before each figure:
# on a machine shared with other work the figures vary, so each is repeated.
#   bench/rooms_bench.sh BUILD_DIR [raw|latency|rooms|idle|all] [repeats]
#
#   raw      one room, limits lifted, notes as fast as the relay takes them: CorventServer and
#            ncat --broker alternating (out_per_s: copies delivered to other players)
#   latency  one room at 8 x 500 notes/s: CorventServer (as it ships) and ncat alternating
#   rooms    10 and 1,000 rooms of 8 players at 10 notes/s each (rooms-N: N rooms)
#   idle     10,000 connections held in 1,250 rooms: the server's memory per connection
# SERVER_ARGS (environment): more options for every CorventServer run.
set -euo pipefail
build=${1:?build directory}
what=${2:-all}
repeats=${3:-3}
bench="$build/bin/rooms_bench"
server="$build/bin/CorventServer"
unlimited=(--note-rate 1e9 --note-burst 1e9)
read -r -a extra <<<"${SERVER_ARGS:-}"

# inns RELAY ARGS... -- BENCH ARGS...: the relay and the bench in a namespace of their own.
inns() {
    local relay=()
    while [ "$1" != "--" ]; do
        relay+=("$1")
        shift
    done
    shift
    unshare -rn bash -c '
        ip link set lo up
        split=$1
        shift
        relay=("${@:1:split}")
        client=("${@:split+1}")
        "${relay[@]}" >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 100); do
            ss -ltn | grep -q ":9050 " && break
            sleep 0.05
        done
        "${client[@]}" --pid "$pid" || true
        kill $pid
        wait $pid 2>/dev/null || true
    ' bash "${#relay[@]}" "${relay[@]}" "$@"
}

say() { echo "== $* (load:$(uptime | sed 's/.*average://'))"; }

if [[ $what == raw || $what == all ]]; then
    for i in $(seq "$repeats"); do
        say "raw, one room, CorventServer ${unlimited[*]} ${extra[*]} (run $i)"
        inns "$server" --headless "${extra[@]}" "${unlimited[@]}" -- \
            "$bench" --rate 0 --seconds 3
        say "raw, one room, ncat --broker (run $i)"
        inns ncat --broker -l 9050 -- "$bench" --rate 0 --seconds 3 --no-join
    done
fi
if [[ $what == latency || $what == all ]]; then
    for i in $(seq "$repeats"); do
        say "8 x 500 notes/s, CorventServer ${extra[*]} (run $i)"
        inns "$server" --headless "${extra[@]}" -- "$bench" --rate 500 --seconds 5
        say "8 x 500 notes/s, ncat --broker (run $i)"
        inns ncat --broker -l 9050 -- "$bench" --rate 500 --seconds 5 --no-join
    done
fi
# rooms-N: N rooms only.
if [[ $what == rooms* || $what == all ]]; then
    counts=(10 1000)
    [[ $what == rooms-* ]] && counts=("${what#rooms-}")
    for i in $(seq "$repeats"); do
        for rooms in "${counts[@]}"; do
            say "$rooms rooms x 8 at 10 notes/s, CorventServer ${extra[*]} (run $i)"
            inns "$server" --headless "${extra[@]}" -- "$bench" --rooms "$rooms" --rate 10 \
                --seconds 10
        done
    done
fi
if [[ $what == idle || $what == all ]]; then
    for i in $(seq "$repeats"); do
        say "10,000 idle connections in 1,250 rooms, CorventServer ${extra[*]} (run $i)"
        inns "$server" --headless --max-rooms 1250 "${extra[@]}" -- "$bench" --rooms 1250 --idle
    done
fi
