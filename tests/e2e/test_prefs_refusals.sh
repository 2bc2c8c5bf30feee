#!/usr/bin/env bash
# File > Settings: Cancel changes nothing; a bad number is refused on its field
# and keeps the dialog open; the save button writes the store at once.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/prefs.sh"

printf '%s\n' QuestionQuit=0 LanguageAuto=False LanguageGerman=True LanguageEnglish=False | reg_import
vornix_start

step "Cancel changes nothing"
open_prefs
ctl click CHKQUESTIONQUIT
ctl settext TXTOSDROWS 9
close_prefs 2

step "a bad number is refused on its field"
open_prefs
ctl click CHKOSD
ctl settext TXTOSDROWS abc
prefsctl press 1
wait_box '"abc"'
sleep 1  # let the dialog behind the box finish painting
shot bad-number
prefsctl dismiss
sleep 0.3
prefs_open || fail "the dialog closed after a bad number"
assert_eq 1 "$(prefsctl page)" "page of the bad field"
ctl settext TXTOSDROWS 5
ctl click CHKOSD

step "the save button writes at once and keeps the dialog open"
ctl click CHKAUTOSIZE
prefsctl press "$(id SAVE)"
wait_until 5 reg_has AutoSizeList || fail "save wrote nothing"
assert_eq 0 "$(reg_get AutoSizeList)" "AutoSizeList after save"
prefs_open || fail "the save button closed the dialog"
close_prefs 2

vornix_stop
assert_eq 0 "$(reg_get QuestionQuit)" "QuestionQuit after Cancel"
assert_eq 5 "$(reg_get OSDRows)" "OSDRows after the refused and the corrected entry"
