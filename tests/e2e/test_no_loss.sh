#!/usr/bin/env bash
# Nothing saved is lost: entries that read like another row's counter survive a
# restart (a delete confirmed while a copy arrives: test_main_window.sh); other
# clipboard viewers joining and leaving around Vornix never break the
# chain; a crash in mini mode with save-at-quit ends the program at once, keeps
# the list and the viewer chain behind it, leaves no icon, and it starts again.
source "$(dirname "$0")/lib.sh"

if full_run; then
  step "\"abc\" with counter 3 and \"3\" both come back, twice"
  reg_seed EntryCount=2 Entry0=abc EntryQuant0=3 Entry1=3 QuestionQuit=0 ProtocolMode=1
  for run in 1 2; do
    vornix_start
    assert_eq $'3\nabc' "$(list_texts | sort)" "texts, start $run"
    vornix_stop
  done
  assert_eq 2 "$(reg_get EntryCount)" "EntryCount"

  step "a viewer that joins after Vornix left the chain"
  viewer_start late
  clip_set "four"
  viewer_saw late 2
  viewer_stop late
  assert_eq 2 "$(viewer_draws late)" "the chain after Vornix quit"
fi

step "viewers before Vornix, which starts in mini mode, and one after it"
clip_empty
reg_seed ProtocolMode=1 QuestionQuit=0 RegSave=False StartMiniMode=1
# Chain: after -> Vornix -> next -> behind.
viewer_start behind
viewer_start next
vornix_start
mini_state '^main=0 mini=1 '
probe_until 10 '^1' hasicon || fail "no icon in mini mode"
viewer_start after
clip_set "one"
wait_status "one"

step "the viewer after Vornix leaves"
viewer_stop after
clip_set "two"
wait_status "two"

step "Vornix's own next viewer leaves"
viewer_stop next
clip_set "three"
wait_status "three"
texts=$(list_texts)
for t in one two three; do echo "$texts" | grep -qx "$t" || fail "$t not captured: $texts"; done
# Its join message and the two texts passed on by Vornix.
assert_eq 3 "$(viewer_draws next)" "WM_DRAWCLIPBOARD passed on to the next viewer"

step "a crash with save-at-quit ends Vornix within 5 s, with the list saved, the chain mended and no icon left"
reg_has Entry0 && fail "the list was saved before the crash"
owner=$(probe handle mini)
probe crash >/dev/null || fail "no thread could be started in Vornix"
crashed=$SECONDS
vornix_wait_exit 5 || fail "Vornix did not end within 5 s of the crash"
echo "ended $((SECONDS - crashed)) s after the crash, exit code $VORNIX_EXIT"
assert_eq "one three two " "$(for n in 0 1 2; do reg_get "Entry$n"; echo; done | sort | tr '\n' ' ')" "entries saved at the crash"
assert_eq 0 "$(probe hasicon "$owner")" "the dead program's icon"
clip_set "after the crash"
# On joining, the three texts passed on through the chain, after the crash.
viewer_saw behind 5
viewer_stop behind
assert_eq 5 "$(viewer_draws behind)" "changes the viewer behind saw"

step "it starts again"
vornix_start
sleep 1
vornix_running || fail "Vornix did not start again after the crash: $(probe boxes)"
mini_state '^main=0 mini=1 '
vornix_stop
