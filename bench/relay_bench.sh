#!/usr/bin/env bash
# Runs the relay benchmark against CorventServer --headless and against ncat --broker, each
# in a private network namespace on port 9050.
#   bench/relay_bench.sh BUILD_DIR [seconds per phase]
set -euo pipefail
build=${1:?build directory}
seconds=${2:-5}
bin="$build/bin"

run() { # NAME COMMAND...
    local name=$1
    shift
    echo "== $name"
    unshare -rn sh -c '
        bench=$1 seconds=$2
        shift 2
        ip link set lo up
        "$@" >/dev/null 2>&1 &
        relay=$!
        sleep 0.5
        "$bench" "$seconds"
        kill $relay; wait $relay 2>/dev/null || true
    ' sh "$bin/relay_bench" "$seconds" "$@"
}

run "CorventServer --headless" "$bin/CorventServer" --headless
run "ncat --broker" ncat --broker -l 9050
