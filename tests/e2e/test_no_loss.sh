#!/usr/bin/env bash
# Nothing saved is lost: entries that read like another row's counter survive a
# restart; a delete confirmed while a copy arrives deletes the confirmed entry; a
# crash with save-at-quit keeps the list and the viewer chain behind it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

step "\"abc\" with counter 3 and \"3\" both come back, twice"
printf '%s\n' EntryCount=2 Entry0=abc EntryQuant0=3 Entry1=3 QuestionQuit=0 | reg_import
for run in 1 2; do
  vornix_start
  assert_eq $'3\nabc' "$(list_texts | sort)" "texts, start $run"
  vornix_stop
done
assert_eq 2 "$(reg_get EntryCount)" "EntryCount"

step "a copy that arrives while the delete question is open does not take the confirmed entry's place"
reg_clear
clip_empty
printf '%s\n' ProtocolMode=1 QuestionQuit=0 EntryCount=2 Entry0=other 'EntryDate0=1/2/2024 10:00:00 AM' \
  Entry1=target EntrySel1=True 'EntryDate1=1/2/2024 9:00:00 AM' | reg_import
vornix_start
assert_match $'^1\t0\ttarget\t' "$(list_rows | sed -n 2p)" "the protected second row"
row 1
keys delete
wait_box 'Delete it anyway'
clip_set fresh
wait_status fresh
press OK
assert_eq $'fresh\nother' "$(list_texts | sort)" "texts after the delete"
vornix_stop

step "a crash with save-at-quit keeps the list and the chain of the viewer behind"
reg_clear
clip_empty
printf '%s\n' ProtocolMode=1 QuestionQuit=0 RegSave=False | reg_import
viewer_start behind
vornix_start
clip_set "before the crash"
wait_status "before the crash"
reg_has Entry0 && fail "the list was saved before the crash"
probe crash >/dev/null || fail "no thread could be started in Vornix"
vornix_wait_exit 20 || fail "Vornix did not end after the crash"
assert_eq "before the crash" "$(reg_get Entry0)" "entry saved at the crash"
clip_set "after the crash"
sleep 1
viewer_stop behind
# On joining, before the crash (passed on by Vornix), after the crash (the chain mended).
assert_eq 3 "$(viewer_draws behind)" "changes the viewer behind saw"
