#!/usr/bin/env bash
# Start-up, the single instance, the quit question and the two languages.
source "$(dirname "$0")/lib.sh"

step "first start: the main window in the system's language (English here)"
vornix_start
assert_eq "Vornix (version 1.0.0)" "$(probe_title)" "window title"
assert_contains "$(probe_status)" "Clipboard:" "status bar"
shot english-auto

step "a second start shows the box and ends; the first keeps running"
(cd "$E2E_WORK" && exec "$WINE" Vornix.exe >>"$E2E_WORK/second.log" 2>&1 </dev/null) &
second=$!
E2E_BACKGROUND_PIDS+=("$second")
wait_box $'^Vornix\tVornix already running!\\\\r\\\\nVornix läuft schon!$'
shot already-running
press OK
wait_until 10 bash -c "! kill -0 $second" || fail "the second copy did not end"
vornix_running || fail "the first copy ended too"
assert_eq "Vornix (version 1.0.0)" "$(probe_title)" "first window still there"

step "QuestionQuit 1 (default): Cancel keeps the program running, OK quits"
vornix_close
wait_box $'^Security question\tQuit Vornix\\?$'
press Cancel
sleep 1
vornix_running || fail "Cancel ended the program"
vornix_close
wait_box $'^Security question\tQuit Vornix\\?$'
press OK
vornix_wait_exit 15 || fail "OK did not end the program"

step "QuestionQuit 0: a close request ends the program without a question"
reg_set QuestionQuit 0
vornix_start
vornix_stop 15

step "LanguageGerman: German window"
reg_set LanguageAuto False
reg_set LanguageGerman True
vornix_start
assert_eq "Vornix (Version 1.0.0)" "$(probe_title)" "German title"
sleep 1
shot german
vornix_stop

step "LanguageEnglish: English window"
reg_set LanguageGerman False
reg_set LanguageEnglish True
vornix_start
assert_eq "Vornix (version 1.0.0)" "$(probe_title)" "English title"
sleep 1
shot english
vornix_stop

step "a stored value that does not convert does not take the program down"
reg_set QuestionQuit abc
reg_set winLeft abc
vornix_start
wait_box $'^Comment\tVornix \\(version 1.0.0\\) - Load:'
press OK
vornix_close
wait_box $'^Security question\tQuit Vornix\\?$'
press OK
vornix_wait_exit 15 || fail "did not end"
