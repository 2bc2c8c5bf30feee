#!/usr/bin/env bash
# Start-up, the single instance, the quit question, a stored value that does not
# convert; the two languages at 96 and at 144 DPI (Wine's LogPixels): the same
# stored size in twips gives a window one and a half times as large at 144 DPI
# and is stored unchanged; screenshots of the main window and the Text Input box.
source "$(dirname "$0")/lib.sh"

QUIT_BOX=$'^Security question\tQuit Vornix\\?$'

step "first start: the main window in the system's language (English here)"
vornix_start
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "window title"
assert_contains "$(probe status)" "Clipboard:" "status bar"
shot english-auto

step "a second start shows the box and ends; the first keeps running"
(cd "$E2E_WORK" && exec "$WINE" Vornix.exe >>"$E2E_WORK/second.log" 2>&1 </dev/null) &
second=$!
E2E_BACKGROUND_PIDS+=("$second")
wait_box $'^Vornix\tVornix already running!\\\\r\\\\nVornix läuft schon!$'
shot already-running
press OK
await 10 "the second copy did not end" bash -c "! kill -0 $second"
vornix_running || fail "the first copy ended too"
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "first window still there"

step "QuestionQuit 1 (default): Cancel keeps the program running, OK quits"
vornix_close
wait_box "$QUIT_BOX"
press Cancel
box_gone "$QUIT_BOX"
# The program has gone back to its messages: a quit would have taken the window.
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "window after Cancel"
vornix_running || fail "Cancel ended the program"
vornix_close
wait_box "$QUIT_BOX"
press OK
vornix_wait_exit 15 || fail "OK did not end the program"

if full_run; then
  step "a stored value that does not convert does not take the program down"
  reg_import QuestionQuit=abc winLeft=abc
  vornix_start
  wait_box $'^Comment\tVornix \\(version 1.0.0\\) - Load:'
  press OK
  vornix_close
  wait_box "$QUIT_BOX"
  press OK
  vornix_wait_exit 15 || fail "did not end"
fi

size_is() { geometry && [ "${WIDTH}x$HEIGHT" = "$1" ]; }

for dpi in 96 $(full_run && echo 144); do
  for language in English German; do
    step "$dpi DPI, $language; QuestionQuit 0: a close request ends the program without a question"
    use_dpi "$dpi"
    reg_seed EntryCount=1 "Entry0=Twips keep their inches" "EntryDate0=3/1/2026 9:30:00 AM" EntryQuant0=2 \
      QuestionQuit=0 winLeft=0 winTop=0 winWidth=7500 winHeight=6000 LanguageAuto=False "Language$language=True"
    vornix_start
    title="Vornix (version 1.0.0)"
    [ "$language" = German ] && title="Vornix (Version 1.0.0)"
    assert_eq "$title" "$(probe title)" "title in $language"
    want=$((500 * dpi / 96))x$((400 * dpi / 96))
    await 5 "window size at $dpi DPI is not $want" size_is "$want"
    shot "$dpi-${language,,}-main"
    if [ "$dpi/$language" = 96/English ] || [ "$dpi/$language" = 144/German ]; then
      # Enter on the selected entry opens it in the Text Input box.
      probe_until 5 $'\t1$' selected || fail "the list does not hold the focus"
      keys home
      keys enter
      wait_box '^(Text Input|Texteingabe)'
      shot "$dpi-${language,,}-text-input"
      keys escape
      box_gone '^(Text Input|Texteingabe)'
      mini_state '^main=1 mini=0 '  # Esc closed the box only
    fi
    vornix_stop
    assert_eq "7500/6000" "$(reg_get winWidth)/$(reg_get winHeight)" "stored size at $dpi DPI"
  done
done
