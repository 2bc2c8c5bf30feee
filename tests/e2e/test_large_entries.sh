#!/usr/bin/env bash
# Large entries keep every character: in a read-only program folder (they go to the
# user's own folder) and with characters outside the code page (UTF-16 side file).
# The read-only folder is immutable (chattr): root ignores the usual permissions.
ro_dir=${VORNIX_E2E_STATE:-$(cd "$(dirname "$0")/../.." && pwd)/build/e2e-manual}/work/large_entries/ro
chattr -i "$ro_dir" 2>/dev/null || true
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
trap 'rc=$?; chattr -i "$ro_dir" 2>/dev/null; (exit $rc); e2e_finish' EXIT

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
