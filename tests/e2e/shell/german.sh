#!/usr/bin/env bash
# Started with LANGUAGE=de, the piano speaks German: the welcome box, the menus (Alt+D opens
# "Datei", a menu English does not have; Alt+O, S opens Optionen > Sprache), the help page and
# the Key Config dialog's title. With E2E_SCREENSHOT=FILE it leaves a picture of that menu there.
source "$E2E_HARNESS"
e2e_setup

e2e_start_piano LANGUAGE=de LANG=C.UTF-8 QT_LOGGING_RULES=tamber.language.debug=true
e2e_close_box Willkommen
main=$(e2e_main_window)
grep -q 'tamber-piano_de.qm' "$E2E_DIR/piano.log" || e2e_fail "the German translation was not loaded"

e2e_focus "$main"
windows=$(e2e_window_count "$E2E_PIANO_PID")
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+d
e2e_key_until_windows "$E2E_PIANO_PID" "$windows" Escape
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) alt+o
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 2)) s
if [ -n "${E2E_SCREENSHOT:-}" ]; then
    import -window root "$E2E_SCREENSHOT" || e2e_fail "no screenshot"
fi
e2e_key_until_windows "$E2E_PIANO_PID" $((windows + 1)) Escape
e2e_key_until_windows "$E2E_PIANO_PID" "$windows" Escape

# F1: the German help page, titled in German.
xdotool key F1
e2e_wait_window '^Tamber Piano.*Hilfe$' 10 >/dev/null || e2e_fail "F1 opened no German help page"
e2e_focus "$main"
xdotool key ctrl+k
e2e_wait_window '^Tamber Piano - Tastenbelegung$' 10 >/dev/null ||
    e2e_fail "no Key Config dialog under its German title"
echo "piano in German: ok"
