#!/usr/bin/env bash
# Time to a greeting with rooms: an old piano, a "/join" first message and a "/join" move,
# against CorventServer --headless in a private network namespace.
#   bench/join_bench.sh BUILD_DIR [rounds]
set -euo pipefail
build=${1:?build directory}
rounds=${2:-200}
exec unshare -rn bash -c '
    ip link set lo up
    "$1/bin/CorventServer" --headless >/dev/null 2>&1 &
    relay=$!
    for _ in $(seq 50); do
        (exec 3<>/dev/tcp/127.0.0.1/9050) 2>/dev/null && break
        sleep 0.1
    done
    "$1/bin/join_bench" 9050 "$2"
    kill $relay
    wait $relay || true
' join_bench "$build" "$rounds"
