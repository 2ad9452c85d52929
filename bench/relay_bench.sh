#!/usr/bin/env bash
# Runs the relay benchmarks, each relay in a private network namespace on port 9050:
#  - latency at 8 x 500 notes/s, CorventServer --headless as it ships against ncat --broker;
#  - saturated throughput, CorventServer with its note rate raised out of the way (at its
#    defaults it paces every sender to 1,000 notes/s, by design) against ncat --broker;
#  - a note flood and a chat flood beside an honest player and a 200 KB/s reader
#    (CorventServer as it ships).
# Then prints CorventServer's figures as ratios of ncat's. Look at `uptime` first: the figures
# mean little on a busy machine.
#   bench/relay_bench.sh BUILD_DIR [seconds per phase]
set -euo pipefail
build=${1:?build directory}
seconds=${2:-5}
bin="$build/bin"

run() { # CLIENT ARGS... -- RELAY COMMAND...
    local client=()
    while [ "$1" != "--" ]; do
        client+=("$1")
        shift
    done
    shift
    unshare -rn bash -c '
        ip link set lo up
        split=$1
        shift
        client=("${@:1:split}")
        relay=("${@:split+1}")
        "${relay[@]}" >/dev/null 2>&1 &
        pid=$!
        sleep 0.5
        "${client[@]}"
        kill $pid
        wait $pid 2>/dev/null || true
    ' bash "${#client[@]}" "${client[@]}" "$@"
}

echo "== load: $(uptime)"
unlimited=(--note-rate 1e9 --note-burst 1e9)
corvent_latency=$(run "$bin/relay_bench" "$seconds" latency -- "$bin/CorventServer" --headless)
corvent_throughput=$(run "$bin/relay_bench" "$seconds" throughput -- \
    "$bin/CorventServer" --headless "${unlimited[@]}")
ncat=$(run "$bin/relay_bench" "$seconds" both -- ncat --broker -l 9050)
echo "== CorventServer --headless"
echo "$corvent_latency"
echo "== CorventServer --headless ${unlimited[*]}"
echo "$corvent_throughput"
echo "== ncat --broker"
echo "$ncat"

p99() { sed -n 's/.*p99 \([0-9.]*\) us.*/\1/p'; }
rate() { sed -n 's/^throughput: \([0-9]*\) .*/\1/p'; }
echo "== ratios to ncat --broker"
awk -v c="$(echo "$corvent_throughput" | rate)" -v n="$(echo "$ncat" | rate)" \
    'BEGIN { printf "throughput %.2fx (goal >= 0.25x)\n", c / n }'
awk -v c="$(echo "$corvent_latency" | p99)" -v n="$(echo "$ncat" | p99)" \
    'BEGIN { printf "p99 latency %.3fx (goal <= 0.2x)\n", c / n }'

echo "== floods, CorventServer --headless"
run "$bin/relay_flood" "$((seconds * 2))" -- "$bin/CorventServer" --headless
echo "== the same without the floods"
run "$bin/relay_flood" "$((seconds * 2))" quiet -- "$bin/CorventServer" --headless | grep honest
