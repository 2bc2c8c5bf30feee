#!/usr/bin/env bash
# Nothing saved is lost: entries that read like another row's counter survive a
# restart; a delete confirmed while a copy arrives deletes the confirmed entry; a
# read-only program folder and characters outside the code page keep a large
# entry whole; a crash with save-at-quit keeps the list and the viewer chain.
# The read-only folder is immutable (chattr): root ignores the usual permissions.
ro_dir=${VORNIX_E2E_STATE:-$(cd "$(dirname "$0")/../.." && pwd)/build/e2e-manual}/work/no_loss/ro
chattr -i "$ro_dir" 2>/dev/null || true
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
trap 'rc=$?; chattr -i "$ro_dir" 2>/dev/null; (exit $rc); e2e_finish' EXIT

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

step "a read-only program folder keeps a 20,000-character entry in the user's folder"
reg_clear
clip_empty
mkdir -p "$ro_dir"
cp "$E2E_WIN64_DIR/Vornix.exe" "$ro_dir/Vornix.exe"
printf '%s\n' ProtocolMode=1 QuestionQuit=0 | reg_import
chattr +i "$ro_dir" || fail "chattr +i is not permitted here"
start_in_ro() {
  (cd "$ro_dir" && exec "$WINE" Vornix.exe >>"$E2E_WORK/vornix.log" 2>&1 </dev/null) &
  VORNIX_PID=$!
  echo "$VORNIX_PID" >"$E2E_STATE_DIR/vornix.pid"
  vornix_wait_window
}
start_in_ro
clip_set_repeat q 20000
wait_status "qqqqqqqqqq [...]"
vornix_stop
marker=$(reg_get Entry0)
assert_match '^<BIGFILE>.*\\Vornix\\bigfile0\.txt</BIGFILE>$' "$marker" "marker"
assert_not_contains "$marker" "\\ro\\" "marker"
start_in_ro
assert_eq 20000 "$(probe_list 30000 | cut -f3 | tr -d '\n' | wc -c)" "length after the restart"
assert_eq 0 "$(probe_list 30000 | cut -f3 | tr -d 'q\n' | wc -c)" "other characters after the restart"
assert_eq "" "$(probe_boxes)" "open boxes"
vornix_stop
chattr -i "$ro_dir"

step "a 20,000-character side file of characters outside the code page survives restarts"
reg_clear
clip_empty
text=$(python3 -c "print('Grüße – naïve café € 中文 Ελληνικά 😀 ' * 560, end='')")
sum() { md5sum | cut -c1-32; }
expected=$(printf '%s' "$text" | sum)
# Stored inline, as another version might have: the first save moves it to its side file.
reg_set Entry0 "$text"
printf '%s\n' EntryCount=1 QuestionQuit=0 | reg_import
vornix_start
vornix_stop
assert_eq "<BIGFILE>$(winpath "$E2E_WORK")\\bigfile0.txt</BIGFILE>" "$(reg_get Entry0)" "marker"
assert_eq "fffe" "$(head -c 2 "$E2E_WORK/bigfile0.txt" | od -An -tx1 | tr -d ' \n')" "byte-order mark"
assert_eq "$expected" "$(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/bigfile0.txt" | sum)" "side file"
vornix_start
assert_eq "$expected" "$(probe_list 30000 | cut -f3 | tr -d '\n' | sum)" "entry after the restart"
shot unicode
vornix_stop
assert_eq "$expected" "$(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/bigfile0.txt" | sum)" "side file after the second run"

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
