#!/usr/bin/env bash
# The command lines of both programs: help and version need no display, the version is the
# project's, and a wrong argument ends the piano with status 1 and says why.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d /tmp/tp-cli.XXXXXX)
trap 'rm -rf "$out"' EXIT

# No display at all: the X platform would abort if the program tried to open one.
export QT_QPA_PLATFORM=xcb
unset DISPLAY WAYLAND_DISPLAY

"$BIN/TamberPiano" --help >"$out/help" || fail "--help did not exit 0"
for option in '-h, --help' '--help-all' '-v, --version'; do
    grep -qF -- "$option" "$out/help" || fail "--help does not list $option"
done
[ "$("$BIN/TamberPiano" --version)" = "Tamber Piano $VERSION" ] || fail "TamberPiano --version"
[ "$("$BIN/CorventServer" --version)" = "CorventServer $VERSION" ] || fail "CorventServer --version"

# Qt's own options are taken by Qt, so only the piano's wrong ones are reported.
status=0
QT_QPA_PLATFORM=offscreen "$BIN/TamberPiano" -platform offscreen --bogus 2>"$out/err" || status=$?
[ "$status" -eq 1 ] || fail "an unknown option ended with status $status"
grep -qF "Unknown option 'bogus'" "$out/err" || fail "an unknown option was not named"
status=0
QT_QPA_PLATFORM=offscreen "$BIN/TamberPiano" stray 2>"$out/err" || status=$?
[ "$status" -eq 1 ] || fail "a stray argument ended with status $status"
grep -qF "Unexpected argument 'stray'" "$out/err" || fail "a stray argument was not named"
echo "command line: ok"
