#!/usr/bin/env bash
# The entry editor as the user meets it: its tools on known texts, find and
# replace, OK with protection and a text key, OK and Copy, the key after a
# restart; export of all entries to one file and to a folder, compared byte for
# byte; the editor's own export; screenshots of the editor, its tool dialogs and
# the export dialog in English and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

# dlg COMMAND TITLE ID ...: dlgprobe; a window that is still being built gets
# two more tries before the command counts as failed.
dlg() {
  local try
  for try in 1 2 3; do
    if "$WINE" "$E2E_WIN64_DIR/dlgprobe.exe" "$@" >"$E2E_WORK/.dlg.out" 2>"$E2E_WORK/.dlg.err" </dev/null; then
      cat "$E2E_WORK/.dlg.out"
      return 0
    fi
    sleep 0.5
  done
  echo "dlgprobe $*: $(cat "$E2E_WORK/.dlg.err")" >&2
  return 1
}
EDITOR='Text Input'
# Control and command ids of the windows (src/win32/editor_ids.h).
TEXT=4100 PROTECT=4101 KEY=4103 OKCOPY=4104 OK=1
TB_NEW=1101 TB_EDIT=1108 MEN_EXPORT=1203
ED_EXPORT=4200 ED_REPLACE=4210 ED_SETCITE=4211 ED_DELCITE=4212 ED_REFORMATP=4213
ED_UPPERCASE=4218 ED_CONVESCAPE=4222 ED_SPECIAL=4229 ED_ASCII=4230
FIELD1=4301 FIELD2=4303 CASE=4304 SEL_ALL=4402 SAVE_DIR=4413

# editor_set TEXT: the edit box's text (printf escapes allowed).
editor_set() {
  printf %b "$1" >"$E2E_WORK/.text"
  dlg set "$EDITOR" $TEXT "$(winpath "$E2E_WORK/.text")" || fail "cannot set the editor's text"
}
editor_text() { dlg get "$EDITOR" $TEXT; }
# tool MENU-ID INPUT EXPECTED: runs a Tools item on INPUT and checks the result.
tool() {
  editor_set "$2"
  dlg cmd "$EDITOR" "$1"
  sleep 0.3
  assert_eq "$(printf %b "$3" | od -An -c)" "$(editor_text | od -An -c)" "text after tool $1"
}
wait_gone() {
  wait_until 10 bash -c '! "$0" "$1/dlgprobe.exe" get "$2" '"$OK"' >/dev/null 2>&1' "$WINE" "$E2E_WIN64_DIR" "$1" ||
    fail "window [$1] did not close"
}
# save_as PATH: answers the save-file dialog with PATH.
save_as() {
  wait_box '^Save'
  local title
  title=$(probe_boxes | grep '^Save' | head -1 | cut -f1)
  printf '%s' "$(winpath "$1")" >"$E2E_WORK/.name"
  dlg set "$title" 1148 "$(winpath "$E2E_WORK/.name")" 2>/dev/null ||
    dlg set "$title" 1152 "$(winpath "$E2E_WORK/.name")" || fail "no file name field in the save dialog"
  dlg click "$title" 1
  wait_until 10 bash -c '! "$0" "$1/probe.exe" boxes | grep -q "^Save"' "$WINE" "$E2E_WIN64_DIR" ||
    fail "the save dialog did not close"
}
open_new() {
  dlg cmd Vornix $TB_NEW
  wait_box "^$EDITOR"
}

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
    echo "ExportDir=$(winpath "$E2E_WORK/out")\\"
    for kv in "$@"; do echo "$kv"; done
  } | reg_import
}

mkdir -p "$E2E_WORK/out"
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
for spec in "$ED_SETCITE:Quotation" "$ED_SPECIAL:Insert special" "$ED_ASCII:Insert ASCII"; do
  dlg cmd "$EDITOR" "${spec%%:*}"
  wait_box "^${spec#*:}"
  shot "$(echo "${spec#*:}" | tr ' A-Z' '-a-z')-en"
  press Cancel
  wait_gone "${spec#*:}"
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
for spec in "$ED_REPLACE:Ersetzen" "$ED_SETCITE:Zitierungszeichen" "$ED_SPECIAL:Sonderzeichen" "$ED_ASCII:ASCII"; do
  dlg cmd "$EDITOR" "${spec%%:*}"
  wait_box "^${spec#*:}"
  shot "tool-${spec#*:}-de"
  press Abbrechen
  sleep 0.3
done
dlg cmd "$EDITOR" 2
wait_gone "$EDITOR"
vornix_stop
