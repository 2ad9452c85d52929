#!/usr/bin/env bash
# Hostile and odd files against the keymap loader and the recording reader: a 64 MiB keymap
# of ignored tags, a keymap of 100,000 invalid records, sparse recordings whose count is
# 2^31-1 (64 MiB, 2 GiB and 17 GiB long) and FIFOs. Prints load time, peak memory growth and
# boxes for each; a FIFO that blocks is cut off after 5 s.
#   ninja hostile_files, then bench/hostile_files.sh BUILD_DIR
set -euo pipefail
bench=$(cd "${1:?build directory}" && pwd)/bin/hostile_files
dir=$(mktemp -d /tmp/tp-hostile.XXXXXX)
trap 'rm -rf "$dir"' EXIT

header() { printf 'TMKM\x00\x01\x03'; }
{ header; head -c $((64 * 1024 * 1024)) /dev/zero | tr '\0' '\7'; printf '\x00'; } >"$dir/tag-flood-64MiB.tmk"
{ header; for _ in $(seq 1000); do printf '\x01\x41\x1d%.0s' $(seq 100); done; printf '\x00'; } \
    >"$dir/invalid-100k.tmk"
for size in 64M 2G 17G; do
    f="$dir/sparse-count-2^31-1-$size.tbr"
    printf 'TBR\x00DATA\xff\xff\xff\x7f' >"$f"
    truncate -s "$size" "$f"
done
mkfifo "$dir/fifo.tmk" "$dir/fifo.tbr"

run() { # KIND FILE
    timeout 300 "$bench" "$1" "$2" 2>/dev/null ||
        printf '%-9s %-28s did not finish in 300 s (or failed)\n' "$1" "$(basename "$2")"
}
run keymap "$dir/tag-flood-64MiB.tmk"
run keymap "$dir/invalid-100k.tmk"
for size in 64M 2G 17G; do run recording "$dir/sparse-count-2^31-1-$size.tbr"; done
for f in "$dir/fifo.tmk" "$dir/fifo.tbr"; do
    kind=keymap; [ "${f##*.}" = tbr ] && kind=recording
    timeout 5 "$bench" "$kind" "$f" 2>/dev/null || printf '%-9s %-28s blocked (cut off after 5 s)\n' "$kind" "$(basename "$f")"
done
