#!/usr/bin/env bash
# The everyday workflow in the main window: sorting by each header, copy back,
# delete with its question, undo, the list keys, protection across a restart, and
# the URL and e-mail tabs; screenshots in English and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

# 20 entries of mixed types; counters and dates all different.
seed() {
  reg_clear
  {
    echo "EntryCount=20"
    for n in $(seq 0 19); do
      case $((n % 4)) in
        0) echo "Entry$n=Meeting notes $n: agenda, minutes and follow-ups" ;;
        1) echo "Entry$n=https://www.example.org/page$n" ;;
        2) echo "Entry$n=person$n@example.com" ;;
        3) echo "Entry$n=Snippet $n" ;;
      esac
      printf 'EntryDate%s=3/%s/2026 %s:%02d:00 AM\n' "$n" $(((n * 7) % 20 + 1)) $((n % 11 + 1)) "$n"
      echo "EntryQuant$n=$(((n * 13) % 20 + 1))"
      [ $((n % 5)) = 0 ] && echo "EntrySel$n=True"
    done
    echo "QuestionQuit=0"
    echo "ProtocolMode=1"
    echo "winLeft=0"
    echo "winTop=0"
    echo "winWidth=11250"
    echo "winHeight=7200"
    for kv in "$@"; do echo "$kv"; done
  } | reg_import
}

header() {
  geometry
  case $1 in
    counter) click $((LEFT + 30)) $((TOP + 81)) ;;
    content) click $((LEFT + 120)) $((TOP + 81)) ;;
    type) click $((RIGHT - 190)) $((TOP + 81)) ;;
    date) click $((RIGHT - 100)) $((TOP + 81)) ;;
  esac
}
tab() {
  geometry
  case $1 in
    list) click $((LEFT + 32)) $((TOP + 58)) ;;
    url) click $((LEFT + 87)) $((TOP + 58)) ;;
    email) click $((LEFT + 140)) $((TOP + 58)) ;;
  esac
}
# Clicks row N (0-based, display order) on its content.
# Display order of one column (1-based field of list_rows), as a single line.
column_of() { list_rows | cut -f"$1" | tr '\n' '|'; }
sorted() { list_rows | cut -f"$1" | sort "${@:2}" | tr '\n' '|'; }

step "20 entries, sorted by date (newest first) at start"
seed
vornix_start
assert_eq 20 "$(list_rows | wc -l)" "rows"
assert_eq "$(sorted 6 -r)" "$(column_of 6)" "date order"
sleep 1
shot english-by-date

step "sorting by each header, twice"
header counter
assert_eq "$(sorted 7 -r)" "$(column_of 7)" "counter, current (descending) order"
shot english-by-counter
header counter
assert_eq "$(sorted 7)" "$(column_of 7)" "counter reversed"
header date
assert_eq "$(sorted 6)" "$(column_of 6)" "date, without reversing (ascending)"
header date
assert_eq "$(sorted 6 -r)" "$(column_of 6)" "date reversed"
header content
assert_eq "$(sorted 3 -f -r)" "$(column_of 3)" "content"
header content
assert_eq "$(sorted 3 -f)" "$(column_of 3)" "content reversed"
header type
assert_match '^(E-Mail\|)+(Text\|)+(URL\|)+$' "$(column_of 4)" "type, in the current (ascending) order"
header type
assert_match '^(URL\|)+(Text\|)+(E-Mail\|)+$' "$(column_of 4)" "type reversed"
header date
assert_eq "$(sorted 6 -r)" "$(column_of 6)" "back to newest first"

step "copy back: the clipboard holds the text, its counter went up by one, nothing new is filed"
first=$(list_rows | sed -n 1p)
text=$(echo "$first" | cut -f3)
count=$(echo "$first" | cut -f2)
row 0
keys ctrl+c
sleep 0.5
assert_eq "$text" "$(clip_get)" "clipboard after copy"
after=$(list_rows | grep -F $'\t'"$text"$'\t')
assert_eq $((count + 1)) "$(echo "$after" | cut -f2)" "counter after copy"
assert_eq 20 "$(list_rows | wc -l)" "rows after copy"

step "Delete on a protected entry asks; Cancel keeps it, OK deletes it"
prot=$(list_rows | awk -F'\t' '$1 == "1" {print NR - 1; exit}')
prot_row=$(list_rows | sed -n "$((prot + 1))p")
prot_text=$(echo "$prot_row" | cut -f3)
row "$prot"
keys delete
wait_box $'^Security question\tThe selected entry is protected. Delete it anyway\\?$'
shot delete-question
press Cancel
sleep 0.5
list_texts | grep -qxF "$prot_text" || fail "Cancel deleted the entry"
keys delete
wait_box 'Delete it anyway'
press OK
sleep 0.5
list_texts | grep -qxF "$prot_text" && fail "OK did not delete the entry"
assert_eq 19 "$(list_rows | wc -l)" "rows after delete"

step "undo brings the deleted entry back with protection, counter and date"
keys ctrl+z
sleep 0.5
back=$(list_rows | grep -F $'\t'"$prot_text"$'\t')
assert_eq "$(echo "$prot_row" | cut -f1,2,3,4,5,6,7)" "$back" "restored row"
assert_eq "$prot_text" "$(clip_get)" "undo puts the text on the clipboard"

step "protection survives a restart"
unprot=$(list_rows | awk -F'\t' '$1 == "0" {print NR - 1; exit}')
unprot_text=$(list_rows | sed -n "$((unprot + 1))p" | cut -f3)
row "$unprot"
keys space
sleep 0.5
assert_eq 1 "$(list_rows | grep -F $'\t'"$unprot_text"$'\t' | cut -f1)" "checked by space"
vornix_stop
vornix_start
assert_eq 1 "$(list_rows | grep -F $'\t'"$unprot_text"$'\t' | cut -f1)" "protection after restart"
vornix_stop
reg_set ProtocolMode 0
vornix_start

step "Insert files the clipboard text, Enter opens the editor, Esc goes to mini mode"
clip_set "inserted by key"
row 1
keys insert
sleep 0.5
list_texts | grep -qx "inserted by key" || fail "Insert did not file the clipboard text"
row 2
keys enter
wait_box $'^Text Input'
shot editor
keys esc
wait_until 10 bash -c '[ -z "$("$0" "$1" boxes | tr -d "\r")" ]' "$WINE" "$E2E_WIN64_DIR/probe.exe" || fail "the editor did not close"
row 2
keys esc
sleep 0.3
vornix_running || fail "Esc ended the program"
assert_eq "" "$(probe_boxes)" "boxes after Esc in the list"
wait_until 10 bash -c '"$0" "$1" state | grep -q "^main=0 mini=1"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" ||
  fail "Esc did not enter mini mode"
wine_run "$E2E_WIN64_DIR/minihelper.exe" click list
wait_until 10 bash -c '"$0" "$1" state | grep -q "^main=1 mini=0"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" ||
  fail "the list button did not leave mini mode"


step "URL and e-mail tabs"
tab url
shot english-url-tab
tab email
shot english-email-tab
tab list
vornix_stop

step "German"
reg_set LanguageAuto False
reg_set LanguageGerman True
vornix_start
sleep 1.5
shot german-by-date
header counter
shot german-by-counter
tab url
shot german-url-tab
vornix_stop
