#!/usr/bin/env bash
# Packages the built tree into a folder of its own (build/packages stays the user's) and checks
# the packages.
set -euo pipefail
out=$(mktemp -d /tmp/tp-cpack.XXXXXX)
trap 'rm -rf "$out"' EXIT
cd "$BUILD_DIR"
cpack -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log" >&2; exit 1; }
bash "$CHECK" "$out" "$VERSION" "$PIANO_ID" "$SERVER_ID" "$ICON_SIZES"
