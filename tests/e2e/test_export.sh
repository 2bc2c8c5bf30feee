#!/usr/bin/env bash
# Export as the user meets it: all entries and a text block to one file and to
# one file per text in a folder, compared byte for byte with the entries; the
# editor's own export; screenshots of the export and folder dialogs in English
# and German.
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
    echo "EntryCount=3"
    echo "Entry0=older entry"
    echo "EntryDate0=3/1/2026 10:00:00 AM"
    echo "Entry1=newer entry"
    echo "EntryDate1=3/2/2026 10:00:00 AM"
    echo "Entry2=edited again"
    echo "EntryDate2=3/3/2026 10:00:00 AM"
    echo "Textkey3=edited again"
    echo "QuestionQuit=0"
    echo "TextkeyBol=True"
    echo "ExportDir=$(winpath "$E2E_WORK/out")\\"
    for kv in "$@"; do echo "$kv"; done
  } | reg_import
}

mkdir -p "$E2E_WORK/out"
seed LanguageAuto=False LanguageEnglish=True
vornix_start

step "the editor's own export"
dlg cmd Vornix $TB_EDIT
wait_box "^$EDITOR"
dlg cmd "$EDITOR" $ED_EXPORT
save_as "$E2E_WORK/single.txt"
assert_eq "$(printf 'edited again' | od -An -tx1)" "$(od -An -tx1 <"$E2E_WORK/single.txt")" "editor export bytes"
dlg cmd "$EDITOR" 2
wait_gone "$EDITOR"

step "export all entries to one file"
dlg cmd Vornix $MEN_EXPORT
wait_box '^Export text'
shot export-en
dlg click 'Export text' $SEL_ALL
dlg click 'Export text' $OK
save_as "$E2E_WORK/all.txt"
wait_gone 'Export text'
{
  printf 'edited again\r\n'  # text block 3 comes first
  list_texts | while IFS= read -r t; do printf '%s\r\n' "$t"; done | iconv -f UTF-8 -t CP1252
} >"$E2E_WORK/expected.txt"
cmp "$E2E_WORK/expected.txt" "$E2E_WORK/all.txt" || fail "one-file export differs: $(od -c "$E2E_WORK/all.txt" | head)"

step "export all entries to one file per entry"
dlg cmd Vornix $MEN_EXPORT
wait_box '^Export text'
dlg click 'Export text' $SEL_ALL
dlg click 'Export text' $SAVE_DIR
dlg click 'Export text' $OK
wait_box '^Selection of folder'
shot folder-en
press OK
wait_gone 'Export text'
assert_eq 'edited again' "$(cat "$E2E_WORK/out/textblock04.txt")" "text block file"
n=0
list_texts | while IFS= read -r t; do
  n=$((n + 1))
  f=$(printf '%s/out/vornix%02d.txt' "$E2E_WORK" $n)
  cmp <(printf '%s' "$t" | iconv -f UTF-8 -t CP1252) "$f" || fail "file $f differs from entry [$t]"
done
assert_eq 4 "$(ls "$E2E_WORK/out" | wc -l)" "files in the folder (3 entries, 1 text block)"

step "German"
vornix_stop
reg_set LanguageEnglish False
reg_set LanguageGerman True
vornix_start
dlg cmd Vornix $MEN_EXPORT
wait_box '^Text exportieren'
shot export-de
press Abbrechen
vornix_stop
