#!/usr/bin/env bash
# Texts beyond the 8-bit code page are filed, shown, copied back and kept with every
# character; texts that their programs mark as private leave no trace.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

reg_set ProtocolMode 1
reg_set QuestionQuit 0
reg_set RegSave True  # every filed text reaches the registry at once
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
