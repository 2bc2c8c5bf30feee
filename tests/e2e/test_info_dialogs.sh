#!/usr/bin/env bash
# The help menu's bug report and about box: both open from the menu; the report
# describes the running program and goes onto the clipboard; the about box shows
# its texts and credits, answers the system information button, is dragged by
# any point and closes with a click on its icon; screenshots in English and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

start_in() {
  reg_clear
  printf '%s\n' QuestionQuit=0 LanguageAuto=False "Language$1=True" | reg_import
  vornix_start
  sleep 0.5
}

# help_menu N: opens the N-th item (1-based) of the last menu with the keyboard.
help_menu() {
  keys "f10"
  keys "right right down"
  local i
  for ((i = 1; i < $1; i++)); do keys "down"; done
  keys "enter"
}

window_of() { xdotool search --limit 1 --name "$1"; }
# Sets X and Y to the top-left corner of the window titled $1.
corner() {
  eval "$(xdotool getwindowgeometry --shell "$(window_of "$1")")"
}

step "English: the bug report from the menu"
start_in English
help_menu 2
wait_box '^Bug report.You can describe the bug here'
sleep 0.5
shot english-bug-report
press Copy
report=$(clip_get)
assert_contains "$report" "Your Bug-Report / Ihre Fehlermeldung:" "report"
assert_contains "$report" $'Version:\tVornix (1.0.0)' "report"
assert_contains "$report" $'Platform:\tWindows NT/2000/XP' "report"
assert_contains "$report" "LanguageEnglish: True" "report"
assert_contains "$report" "EntryCount: 0" "report"
press Cancel
wait_until 5 bash -c "! probe boxes | grep -q 'Bug report'" || fail "the bug report did not close"

step "English: the about box from the menu"
help_menu 3
wait_box '^Info about Vornix.*Vornix.Version 1\.0\.0.Utility to file'
sleep 1.2  # the fade-in and the first credits line
shot english-about

step "dragged by a point of its text"
corner '^Info about Vornix'
x0=$X y0=$Y
xdotool mousemove $((x0 + 200)) $((y0 + 80))
sleep 0.2
xdotool mousedown 1
sleep 0.2
for d in 10 20 30 40 50 60; do xdotool mousemove $((x0 + 200 + d)) $((y0 + 80 + d / 2)); sleep 0.1; done
sleep 0.2
xdotool mouseup 1
sleep 0.3
corner '^Info about Vornix'
# The first step of the mouse starts the move; the window follows the rest.
[ $((X - x0)) -ge 40 ] && [ $((X - x0)) -le 60 ] && [ $((Y - y0)) -ge 20 ] && [ $((Y - y0)) -le 30 ] ||
  fail "the about box moved from $x0,$y0 to $X,$Y instead of about 50,25 to the lower right"

step "system information: a clear message when the program is missing"
press "Systeminfo..."
wait_box 'Systeminformationen sind momentan nicht verf'
shot english-no-system-information
keys "enter"
wait_until 5 bash -c "! probe boxes | grep -q 'Systeminformationen'" || fail "the message did not close"
sleep 0.5  # the about box is active again

step "a click on the icon closes it"
xdotool mousemove $((X + 30)) $((Y + 30)) click 1
wait_until 5 bash -c "! probe boxes | grep -q 'Info about'" || fail "a click on the icon did not close the about box"
vornix_stop

step "German: both again"
start_in German
help_menu 3
wait_box '^Info zu Vornix.*Hilfsmittel zur Ablage'
sleep 1.2
shot german-about
press OK
wait_until 5 bash -c "! probe boxes | grep -q 'Info zu'" || fail "OK did not close the about box"
help_menu 2
wait_box '^Fehlermeldung.Bitte beschreiben Sie'
sleep 0.5
shot german-bug-report
press Abbrechen
vornix_stop
