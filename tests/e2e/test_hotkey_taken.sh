#!/usr/bin/env bash
# A hotkey that another program already holds: its message at start-up, the
# other hotkeys still work, nothing is left behind on quitting; and the hot
# menu in German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/quick.sh"

step "a hotkey held by another program"
seed LanguageAuto=False LanguageEnglish=True
front_start holder 3 86
front_start front
atoms_before VornixHotKey VornixHotMenu VornixTextKey0
vornix_start
wait_box 'cannot be set'
assert_contains "$(probe_boxes)" 'The hotkey "Alt +Ctrl + V" cannot be set.' "message 223"
press OK
# The main window shows once its loading, with the box, is done.
wait_until 5 bash -c '! "$0" "$1" boxes | grep -q "cannot be set"' "$WINE" "$E2E_WIN64_DIR/probe.exe"
vornix_took_front
frontapp focus >/dev/null
frontapp press ctrl+alt+4 >/dev/null
wait_received "$BLOCK"
frontapp press ctrl+alt+c >/dev/null
wait_until 5 bash -c "'$WINE' '$E2E_WIN64_DIR/frontapp.exe' state | tr -d '\r' | grep -q '^checked.1'" ||
  fail "the main hotkey did not work beside the taken one"
vornix_stop
atoms_left VornixHotKey VornixHotMenu VornixTextKey0
front_stop holder
front_stop front

step "hot menu in German"
seed LanguageAuto=False LanguageGerman=True
front_start front
vornix_start
vornix_took_front
clip_empty
menu_open 150 120
shot hotmenu-german
probe keys esc >/dev/null
vornix_stop
front_stop front
