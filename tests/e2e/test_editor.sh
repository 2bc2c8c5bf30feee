#!/usr/bin/env bash
# The entry editor as the user meets it: its tools on known texts, find and
# replace, OK with protection and a text key, OK and Copy, the key after a
# restart; screenshots of the editor and its tool dialogs in English and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/dialogs.sh"

seed() {
  reg_clear
  {
    echo "EntryCount=2"
    echo "Entry0=older entry"
    echo "EntryDate0=3/1/2026 10:00:00 AM"
    echo "Entry1=newer entry"
    echo "EntryDate1=3/2/2026 10:00:00 AM"
    echo "QuestionQuit=0"
    echo "TextkeyBol=True"
    for kv in "$@"; do echo "$kv"; done
  } | reg_import
}

seed LanguageAuto=False LanguageEnglish=True
vornix_start

step "each tool item on a known text"
open_new
shot editor-en
tool $ED_REFORMATP 'a\r\nb\r\n\r\nc' 'a b\r\n\r\nc'
tool $ED_DELCITE '>> a\r\n> b' '> a\r\nb'
tool $ED_UPPERCASE 'Hello \xc3\xa4\xc3\xb6\xc3\xbc' 'HELLO \xc3\x84\xc3\x96\xc3\x9c'
tool $ED_CONVESCAPE 'a b%\xc3\xa4' 'a%20b%25%E4'

step "find and replace, with and without case"
editor_set 'Cat cat CAT dog'
dlg cmd "$EDITOR" $ED_REPLACE
wait_box '^Replace'
shot replace-en
printf 'cat' >"$E2E_WORK/.f"; printf 'bird' >"$E2E_WORK/.r"
dlg set Replace $FIELD1 "$(winpath "$E2E_WORK/.f")"
dlg set Replace $FIELD2 "$(winpath "$E2E_WORK/.r")"
dlg click Replace $OK
wait_gone Replace
assert_eq 'bird bird bird dog' "$(editor_text)" "replace ignoring case"
editor_set 'Cat cat CAT'
dlg cmd "$EDITOR" $ED_REPLACE
wait_box '^Replace'
dlg click Replace $CASE
dlg click Replace $OK
wait_gone Replace
assert_eq 'Cat bird CAT' "$(editor_text)" "case-sensitive replace"

step "the other tool dialogs open and close"
for item in "$ED_SETCITE:Quotation" "$ED_SPECIAL:Insert special" "$ED_ASCII:Insert ASCII"; do
  dlg cmd "$EDITOR" "${item%%:*}"
  wait_box "^${item#*:}"
  shot "$(echo "${item#*:}" | tr ' A-Z' '-a-z')-en"
  press Cancel
  wait_gone "${item#*:}"
done

step "OK and Copy files the text with protection, key 3 and the clipboard"
editor_set 'edited text'
dlg click "$EDITOR" $PROTECT
dlg combo "$EDITOR" $KEY 4
dlg cmd "$EDITOR" $OKCOPY
wait_gone "$EDITOR"
sleep 0.3
row=$(list_rows | grep -F $'\tedited text\t') || fail "the new text is not in the list: $(list_texts)"
assert_eq 1 "$(echo "$row" | cut -f1)" "protection of the new entry"
assert_eq 'edited text' "$(clip_get)" "clipboard after OK and Copy"

step "editing the entry keeps its key; OK changes the text"
dlg cmd Vornix $TB_EDIT
wait_box "^$EDITOR"
assert_eq 'edited text' "$(editor_text)" "editor opened on the selected entry"
assert_eq 3 "$(dlg get "$EDITOR" $KEY)" "key of the text"
editor_set 'edited again'
dlg cmd "$EDITOR" $OK
wait_gone "$EDITOR"
sleep 0.3
list_texts | grep -qx 'edited again' || fail "OK did not change the entry: $(list_texts)"
list_texts | grep -qx 'edited text' && fail "the old text stayed in the list"

step "text block 3 after a restart"
vornix_stop
assert_eq 'edited again' "$(reg_get Textkey3)" "stored text block 3"
vornix_start
dlg cmd Vornix $TB_EDIT
wait_box "^$EDITOR"
assert_eq 3 "$(dlg get "$EDITOR" $KEY)" "key after the restart"
dlg cmd "$EDITOR" 2
wait_gone "$EDITOR"

step "German"
vornix_stop
reg_set LanguageEnglish False
reg_set LanguageGerman True
vornix_start
EDITOR=Texteingabe
open_new
editor_set 'Ein Text'
shot editor-de
for item in "$ED_REPLACE:Ersetzen" "$ED_SETCITE:Zitierungszeichen" "$ED_SPECIAL:Sonderzeichen" "$ED_ASCII:ASCII"; do
  dlg cmd "$EDITOR" "${item%%:*}"
  wait_box "^${item#*:}"
  shot "tool-${item#*:}-de"
  press Abbrechen
  sleep 0.3
done
dlg cmd "$EDITOR" 2
wait_gone "$EDITOR"
vornix_stop
