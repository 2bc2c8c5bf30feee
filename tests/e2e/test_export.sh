#!/usr/bin/env bash
# Export as the user meets it: all entries and a text block to one file and to
# one file per text in a folder, compared byte for byte with the entries; the
# editor's own export; screenshots of the export and folder dialogs in English
# and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/dialogs.sh"

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
