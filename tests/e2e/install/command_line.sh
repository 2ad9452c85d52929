#!/usr/bin/env bash
# The command lines of both programs: help, version and the MIDI export need no display, the
# version is the project's, and a wrong argument, a failed export or a display that cannot be
# reached ends the program with status 1 and says why, in the player's language.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
out=$(mktemp -d /tmp/tp-cli.XXXXXX)
trap 'rm -rf "$out"' EXIT

# No display at all: the X platform would abort if the program tried to open one.
export QT_QPA_PLATFORM=xcb
unset DISPLAY WAYLAND_DISPLAY
# English, whatever the machine's locale and the piano's settings say.
export LANGUAGE=en XDG_CONFIG_HOME="$out/config"

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
grep -qF -- '--export-midi' "$out/help" || fail "--help does not list --export-midi"

# --export-midi converts without a display: one note-on after 500 ms becomes a tempo track
# and a track "Piano".
printf 'TBR\0DATA\1\0\0\0\364\1\0\0\220\74\177\0' >"$out/one.tbr"
"$BIN/TamberPiano" --export-midi "$out/one.tbr" "$out/one.mid" 2>"$out/err" ||
    fail "--export-midi failed: $(cat "$out/err")"
[ ! -s "$out/err" ] || fail "--export-midi wrote to stderr: $(cat "$out/err")"
printf 'MThd\0\0\0\6\0\1\0\2\1\364MTrk\0\0\0\13\0\377\121\3\7\241\40\0\377\57\0MTrk\0\0\0\22\0\377\3\5Piano\203\164\220\74\177\0\377\57\0' \
    >"$out/expected.mid"
cmp -s "$out/one.mid" "$out/expected.mid" || fail "--export-midi wrote other bytes: $(od -An -tx1 "$out/one.mid")"

# Each failure: status 1 and one line on stderr that says what went wrong.
export_fails() { # EXPECTED-TEXT ARGUMENTS...
    local expected=$1 status=0
    shift
    "$BIN/TamberPiano" --export-midi "$@" >"$out/stdout" 2>"$out/err" || status=$?
    [ "$status" -eq 1 ] || fail "--export-midi $* ended with status $status"
    [ "$(wc -l <"$out/err")" -eq 1 ] || fail "--export-midi $* wrote: $(cat "$out/err")"
    grep -qF -- "$expected" "$out/err" || fail "--export-midi $* said: $(cat "$out/err")"
    [ ! -s "$out/stdout" ] || fail "--export-midi $* wrote to stdout"
}
export_fails "Tamber Piano: The recording \"$out/none.tbr\" could not be opened: The file does not exist." \
    "$out/none.tbr" "$out/x.mid"
export_fails "could not be opened: It is a folder, not a file." "$out" "$out/x.mid"
export_fails "Tamber Piano: \"$out/one.mid\" is not a Tamber Piano recording." "$out/one.mid" "$out/x.mid"
export_fails "Tamber Piano: The MIDI file \"$out/no/x.mid\" could not be written: " \
    "$out/one.tbr" "$out/no/x.mid"
export_fails "The MIDI file \"$out\" could not be written: " "$out/one.tbr" "$out"
export_fails "--export-midi needs a recording and a MIDI file" "$out/one.tbr"
[ ! -e "$out/x.mid" ] || fail "a failed export left a file"

# In the player's language: the locale's, or the one chosen in the settings. Qt's own texts
# too (Debian's qt6-translations-l10n).
LANGUAGE=de "$BIN/TamberPiano" --help >"$out/help" || fail "German --help did not exit 0"
for text in '^Spielt Klavier auf der Computertastatur' 'Gefolgt von IN.tbr OUT.mid' \
    'Zeigt Hilfe zu den Kommandozeilenoptionen an'; do
    grep -q -- "$text" "$out/help" || fail "German --help lacks '$text': $(cat "$out/help")"
done
status=0
LANGUAGE=de "$BIN/TamberPiano" --export-midi "$out/none.tbr" "$out/x.mid" 2>"$out/err" || status=$?
[ "$status" -eq 1 ] || fail "a German failed export ended with status $status"
grep -qxF "Tamber Piano: Die Aufnahme „$out/none.tbr“ konnte nicht geöffnet werden: Die Datei existiert nicht." \
    "$out/err" || fail "a German failed export said: $(cat "$out/err")"
mkdir -p "$XDG_CONFIG_HOME/Tamber Piano"
printf '[%%General]\nLanguage=fr\n' >"$XDG_CONFIG_HOME/Tamber Piano/Tamber Piano.ini"
status=0
LANGUAGE=de "$BIN/TamberPiano" --export-midi "$out/one.tbr" 2>"$out/err" || status=$?
[ "$status" -eq 1 ] || fail "a French malformed export ended with status $status"
grep -qF -- "--export-midi attend un enregistrement et un fichier MIDI" "$out/err" ||
    fail "the language chosen in the settings was not spoken: $(cat "$out/err")"
rm "$XDG_CONFIG_HOME/Tamber Piano/Tamber Piano.ini"

# Windows without a display to show them on: one line on stderr and status 1, not Qt's abort.
no_display() { # EXPECTED-TEXT PROGRAM [ENVIRONMENT...]
    local expected=$1 program=$2 status=0
    shift 2
    env "$@" "$BIN/$program" >"$out/stdout" 2>"$out/err" || status=$?
    [ "$status" -eq 1 ] || fail "$program $* ended with status $status: $(cat "$out/err")"
    [ "$(wc -l <"$out/err")" -eq 1 ] || fail "$program $* wrote: $(cat "$out/err")"
    grep -qF -- "$expected" "$out/err" || fail "$program $* said: $(cat "$out/err")"
}
no_display "TamberPiano: no X display to show the window on (DISPLAY is not set)" TamberPiano
no_display 'TamberPiano: cannot connect to the X display ":4097"' TamberPiano DISPLAY=:4097
no_display 'CorventServer: cannot connect to the X display ":4097"' CorventServer DISPLAY=:4097
echo "command line: ok"
