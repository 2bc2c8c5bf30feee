#!/usr/bin/env bash
# Texts keep every character: texts beyond the 8-bit code page are filed, shown,
# copied back and kept; large entries in a read-only program folder go to the
# user's own folder, and with characters outside the code page to a UTF-16 side
# file. Texts that their programs mark as private leave no trace.
# The read-only folder is immutable (chattr): root ignores the usual permissions.
ro_dir=${VORNIX_E2E_STATE:-$(cd "$(dirname "$0")/../.." && pwd)/build/e2e-manual}/work/text_intact/ro
chattr -i "$ro_dir" 2>/dev/null || true
source "$(dirname "$0")/lib.sh"
on_exit 'chattr -i "$ro_dir" 2>/dev/null'

if full_run; then
  step "a read-only program folder keeps a 20,000-character entry in the user's folder"
  mkdir -p "$ro_dir"
  cp "$E2E_EXE_DIR/Vornix.exe" "$ro_dir/Vornix.exe"
  reg_import ProtocolMode=1 QuestionQuit=0
  chattr +i "$ro_dir" || fail "chattr +i is not permitted here"
  vornix_start "$ro_dir"
  clip_set_repeat q 20000
  wait_status "qqqqqqqqqq [...]"
  vornix_stop
  marker=$(reg_get Entry0)
  assert_match '^<BIGFILE>.*\\Vornix\\bigfile0\.txt</BIGFILE>$' "$marker" "marker"
  assert_not_contains "$marker" "\\ro\\" "marker"
  vornix_start "$ro_dir"
  assert_eq 20000 "$(list_rows 30000 | cut -f3 | tr -d '\n' | wc -c)" "length after the restart"
  assert_eq 0 "$(list_rows 30000 | cut -f3 | tr -d 'q\n' | wc -c)" "other characters after the restart"
  assert_eq "" "$(probe boxes)" "open boxes"
  vornix_stop
  chattr -i "$ro_dir"

  step "a 20,000-character side file of characters outside the code page survives restarts"
  clip_empty
  reg_seed EntryCount=1 QuestionQuit=0
  text=$(python3 -c "print('Grüße – naïve café € 中文 Ελληνικά 😀 ' * 560, end='')")
  sum() { md5sum | cut -c1-32; }
  expected=$(printf '%s' "$text" | sum)
  # Stored inline, as another version might have: the first save moves it to its side file.
  reg_set Entry0 "$text"
  vornix_start
  vornix_stop
  assert_eq "<BIGFILE>$(winpath "$E2E_WORK")\\bigfile0.txt</BIGFILE>" "$(reg_get Entry0)" "marker"
  assert_eq "fffe" "$(head -c 2 "$E2E_WORK/bigfile0.txt" | od -An -tx1 | tr -d ' \n')" "byte-order mark"
  assert_eq "$expected" "$(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/bigfile0.txt" | sum)" "side file"
  vornix_start
  assert_eq "$expected" "$(list_rows 30000 | cut -f3 | tr -d '\n' | sum)" "entry after the restart"
  shot unicode
  vornix_stop
  assert_eq "$expected" "$(iconv -f UTF-16 -t UTF-8 "$E2E_WORK/bigfile0.txt" | sum)" "side file after the second run"
fi

clip_empty
reg_seed ProtocolMode=1 QuestionQuit=0 RegSave=True  # every filed text reaches the registry at once
vornix_start

text='Grüße – naïve café € 中文 Ελληνικά 😀'
step "a Unicode program's text is filed and shown with every character"
clip_set_unicode "$text"
wait_status "$text"
assert_eq "$text" "$(list_texts)" "filed text"
assert_eq "$text" "$(reg_get Entry0)" "stored text"

step "copied back: every character on the clipboard, not filed again"
clip_set_unicode "something else"
wait_status "something else"
xdotool search --limit 1 --name "$E2E_WINDOW_REGEX" windowfocus --sync
row=$(list_texts | grep -nxF -- "$text" | cut -d: -f1)
keys home
for _ in $(seq 2 "$row"); do keys down; done
keys ctrl+c
wait_status "$text"
assert_eq "$text" "$(clip_get_unicode)" "Unicode clipboard after the copy back"
assert_match '^Grüße – naïve café € ' "$(clip_get)" "8-bit clipboard after the copy back"
assert_eq 2 "$(list_rows | wc -l)" "rows after the copy back"
assert_eq 1 "$(list_rows | grep -F -- "$text" | cut -f2)" "counter after the copy back"

full_run || exit 0

step "texts marked private: nothing filed, the status bar says so, the registry holds no trace"
for marker in exclude ignore nohistory; do
  clip_set_unicode "hidden-$marker-4711" "$marker"
  wait_status "Hidden text (marked private by its program)"
  assert_eq 2 "$(list_rows | wc -l)" "rows after a text marked $marker"
done
shot hidden-text
assert_not_contains "$(reg_dump)" "hidden-" "registry"
assert_not_contains "$(list_texts)" "hidden-" "list"

step "the same text without a marker, or allowed into the history, is filed"
clip_set_unicode "hidden-exclude-4711"
wait_status "hidden-exclude-4711"
clip_set_unicode "hidden-history-4711" history
wait_status "hidden-history-4711"
assert_eq 4 "$(list_rows | wc -l)" "rows after the unmarked texts"

step "restart: the text is still whole"
vornix_stop
vornix_start
assert_contains "$(list_texts)" "$text" "list after restart"
vornix_stop
