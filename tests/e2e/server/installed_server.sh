#!/usr/bin/env bash
# CorventServer from an installed tree (`cmake --install`): without --headless it finds the
# window program in its libexec folder and becomes it; with --headless it serves on its own.
set -euo pipefail
: "${BUILD_DIR:?set by ctest}"

prefix=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
server="$prefix/bin/CorventServer"
[ -x "$server" ] || fail "no $server"
window=$(find "$prefix" -type f -name corvent-server-window)
[ -x "$window" ] || fail "no window program installed"
case "$window" in "$prefix"/bin/*) fail "the window program lies in bin/: $window" ;; esac

env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$server" -platform offscreen &
pid=$!
for _ in $(seq 50); do
    [ "$(readlink "/proc/$pid/exe" || true)" = "$(realpath "$window")" ] && break
    sleep 0.1
done
[ "$(readlink "/proc/$pid/exe" || true)" = "$(realpath "$window")" ] ||
    fail "CorventServer did not become $window"
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "the window program ended by itself"
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=""

unshare -rn sh -c '
    ip link set lo up
    "$0" --headless >"$1" 2>&1 &
    p=$!
    i=0
    until grep -q "^8\. " "$1" || [ $i -ge 200 ]; do
        sleep 0.05
        i=$((i + 1))
    done
    kill -TERM $p
    wait $p' "$server" "$prefix/headless.out" || fail "headless run failed: $(cat "$prefix/headless.out")"
grep -q '^8. No User: 0.0.0.0$' "$prefix/headless.out" || fail "no user list: $(cat "$prefix/headless.out")"
echo "PASS"
