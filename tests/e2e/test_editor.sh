#!/usr/bin/env bash
# The entry editor and export as the user meets them: the editor's tools on known
# texts, find and replace, OK with protection and a text key, OK and Copy, the key
# after a restart; the edit hotkey while the editor is open; the editor's own
# export, all entries and a text block to one file and to one file per text, again
# over those files while a copy is filed during the overwrite question, compared
# byte for byte with the entries. (Every dialog in both languages: test_startup.sh.)
source "$(dirname "$0")/lib.sh"

EDITOR='Text Input'
# Control and command ids of the windows (src/win32/editor/editor_ids.h).
TEXT=4100 PROTECT=4101 KEY=4103 OKCOPY=4104 OK=1 CANCEL=2
TB_NEW=1101 TB_EDIT=1108 MEN_EXPORT=1203
ED_EXPORT=4200 ED_REPLACE=4210 ED_SETCITE=4211 ED_DELCITE=4212 ED_REFORMATP=4213
ED_UPPERCASE=4218 ED_CONVESCAPE=4222
FIELD1=4301 FIELD2=4303 CASE=4304 SEL_ALL=4402 SAVE_DIR=4413

# dlg COMMAND WINDOW ID...: a probe command on a window's control; a window that
# is still being built gets two more tries.
dlg() {
  local try
  for try in 1 2 3; do
    probe_raw "$@" 2>/dev/null && return 0
    sleep 0.5
  done
  fail "probe $* failed"
}
# editor_set TEXT: the edit box's text (printf escapes allowed).
editor_set() {
  printf %b "$1" >"$E2E_WORK/.text"
  dlg setfile "$EDITOR" $TEXT "$(winpath "$E2E_WORK/.text")" "${@:2}"
}
editor_text() { dlg get "$EDITOR" $TEXT; }
editor_is() { [ "$(probe_raw get "$EDITOR" $TEXT | od -An -c)" == "$(printf %b "$1" | od -An -c)" ]; }
# tool MENU-ID INPUT EXPECTED: runs a Tools item on INPUT and waits for the result.
tool() {
  editor_set "$2" then cmd "$EDITOR" "$1"
  wait_until 10 editor_is "$3" || fail "after tool $1: [$(editor_text | od -An -c)], expected [$(printf %b "$3" | od -An -c)]"
}
wait_gone() { probe_until 10 '!.' shown "$1" || fail "window [$1] did not close"; }
open_editor() { probe cmd main "$1" then until 10 "^$EDITOR" boxes >/dev/null || fail "the editor did not open"; }
# export_to_folder: all entries, one file each, into the export folder.
export_to_folder() {
  dlg cmd main $MEN_EXPORT then until 10 '^Export text' boxes >/dev/null
  dlg push 'Export text' $SEL_ALL then push 'Export text' $SAVE_DIR then push 'Export text' $OK
  wait_box '^Selection of folder'
  press OK
}
# save_as PATH: answers the save-file dialog with PATH. The dialog fills in its
# file name field once it is up: the name is set until it stays.
save_as() {
  wait_box '^Save'
  local title field name
  title=$(probe boxes | grep '^Save' | head -1 | cut -f1)
  name=$(winpath "$1")
  for field in 1148 1152 1148 1152 1148 1152; do
    probe set "$title" $field "$name" then get "$title" $field 2>/dev/null | grep -qxF -- "$name" && break
    sleep 0.3
  done
  dlg push "$title" $OK then until 10 '!^Save' boxes
  await 10 "nothing saved as $1" test -f "$1"
}

mkdir -p "$E2E_WORK/out"
reg_seed EntryCount=2 "Entry0=older entry" "EntryDate0=3/1/2026 10:00:00 AM" "Entry1=newer entry" \
  "EntryDate1=3/2/2026 10:00:00 AM" QuestionQuit=0 TextkeyBol=True HoteditBol=True "ExportDir=$(winpath "$E2E_WORK/out")\\" \
  LanguageAuto=False LanguageEnglish=True
vornix_start

step "each tool item on a known text"
open_editor $TB_NEW
tool $ED_REFORMATP 'a\r\nb\r\n\r\nc' 'a b\r\n\r\nc'
tool $ED_DELCITE '>> a\r\n> b' '> a\r\nb'
tool $ED_UPPERCASE 'Hello \xc3\xa4\xc3\xb6\xc3\xbc' 'HELLO \xc3\x84\xc3\x96\xc3\x9c'
tool $ED_CONVESCAPE 'a b%\xc3\xa4' 'a%20b%25%E4'

step "find and replace, with and without case"
editor_set 'Cat cat CAT dog' then cmd "$EDITOR" $ED_REPLACE then until 10 '^Replace' boxes >/dev/null
dlg set Replace $FIELD1 cat then set Replace $FIELD2 bird then push Replace $OK then until 10 '!.' shown Replace
assert_eq 'bird bird bird dog' "$(editor_text)" "replace ignoring case"
# The dialog keeps the last texts.
editor_set 'Cat cat CAT' then cmd "$EDITOR" $ED_REPLACE then until 10 '^Replace' boxes >/dev/null
dlg push Replace $CASE then push Replace $OK then until 10 '!.' shown Replace
assert_eq 'Cat bird CAT' "$(editor_text)" "case-sensitive replace"

step "OK and Copy files the text with protection, key 3 and the clipboard"
editor_set 'edited text' then push "$EDITOR" $PROTECT then combo "$EDITOR" $KEY 4 then cmd "$EDITOR" $OKCOPY
wait_gone "$EDITOR"
wait_until 10 shows $'^1\t[0-9]+\tedited text\t' list_rows || fail "the new text is not in the list: $(list_texts)"
assert_eq 'edited text' "$(clip_get)" "clipboard after OK and Copy"

step "editing the entry keeps its key; the edit hotkey opens no second editor; OK changes the text"
open_editor $TB_EDIT
assert_eq 'edited text' "$(editor_text)" "editor opened on the selected entry"
assert_eq 3 "$(dlg get "$EDITOR" $KEY)" "key of the text"
two_editors() { [ "$(probe boxes | grep -c "^$EDITOR")" -gt 1 ]; }
keys ctrl+alt+e
wait_until 3 two_editors && { shot two-editors; fail "the edit hotkey opened a second editor"; }
editor_set 'edited again' then cmd "$EDITOR" $OK
wait_gone "$EDITOR"
wait_until 10 shows '^edited again$' list_texts || fail "OK did not change the entry: $(list_texts)"
list_texts | grep -qx 'edited text' && fail "the old text stayed in the list"

step "text block 3 after a restart"
vornix_stop
assert_eq 'edited again' "$(reg_get Textkey3)" "stored text block 3"
vornix_start
open_editor $TB_EDIT
assert_eq 3 "$(dlg get "$EDITOR" $KEY)" "key after the restart"

step "the editor's own export"
probe cmd "$EDITOR" $ED_EXPORT
save_as "$E2E_WORK/single.txt"
assert_eq "$(printf 'edited again' | od -An -tx1)" "$(od -An -tx1 <"$E2E_WORK/single.txt")" "editor export bytes"
dlg cmd "$EDITOR" $CANCEL
wait_gone "$EDITOR"

step "export all entries to one file"
dlg cmd main $MEN_EXPORT then until 10 '^Export text' boxes >/dev/null
dlg push 'Export text' $SEL_ALL then push 'Export text' $OK
save_as "$E2E_WORK/all.txt"
wait_gone 'Export text'
{
  printf 'edited again\r\n'  # text block 3 comes first
  list_texts | while IFS= read -r t; do printf '%s\r\n' "$t"; done | iconv -f UTF-8 -t CP1252
} >"$E2E_WORK/expected.txt"
cmp "$E2E_WORK/expected.txt" "$E2E_WORK/all.txt" || fail "one-file export differs: $(od -c "$E2E_WORK/all.txt" | head)"

step "export all entries to one file per entry"
export_to_folder
wait_gone 'Export text'
assert_eq 'edited again' "$(cat "$E2E_WORK/out/textblock04.txt")" "text block file"
assert_eq 4 "$(ls "$E2E_WORK/out" | wc -l)" "files in the folder (3 entries, 1 text block)"

step "again, over those files: a copy filed while the overwrite question is open changes no exported file"
vornix_stop
reg_set ProtocolMode 1
clip_set 'edited again'  # joining the chain selects this entry, it adds none
vornix_start
before=$(list_texts)
export_to_folder
wait_box 'textblock04\.txt'
clip_set 'copied during the question'
await 10 "the copy was not filed while the question was open" shows '^copied during the question$' list_texts
shot overwrite-question
press OK
for f in vornix01 vornix02 vornix03; do
  wait_box "$f\.txt"
  press OK
done
wait_gone 'Export text'
n=0
while IFS= read -r t; do
  n=$((n + 1))
  f=$(printf '%s/out/vornix%02d.txt' "$E2E_WORK" $n)
  cmp <(printf '%s' "$t" | iconv -f UTF-8 -t CP1252) "$f" || fail "file $f holds [$(cat "$f")], not the entry [$t]"
done <<<"$before"
assert_eq 4 "$(ls "$E2E_WORK/out" | wc -l)" "files in the folder after the second export"
vornix_stop
