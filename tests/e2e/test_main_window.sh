#!/usr/bin/env bash
# The everyday workflow in the main window: sorting by each header, delete with its
# question (a copy arriving while it is open takes nothing's place), undo, the list
# keys, protection across a restart, and the URL and e-mail tabs; find as you type;
# screenshots in English and German.
source "$(dirname "$0")/lib.sh"

# 20 entries of mixed types; counters and dates all different.
seed() {
  local n texts values=(EntryCount=20 QuestionQuit=0 ProtocolMode=1 winLeft=0 winTop=0 winWidth=11250 winHeight=7200)
  for n in $(seq 0 19); do
    texts=("Meeting notes $n: agenda, minutes and follow-ups" "https://www.example.org/page$n" "person$n@example.com"
      "Snippet $n")
    values+=("Entry$n=${texts[n % 4]}" "EntryQuant$n=$(((n * 13) % 20 + 1))"
      "$(printf 'EntryDate%s=3/%s/2026 %s:%02d:00 AM' "$n" $(((n * 7) % 20 + 1)) $((n % 11 + 1)) "$n")")
    [ $((n % 5)) != 0 ] || values+=("EntrySel$n=True")
  done
  reg_seed "${values[@]}"
}

# header NAME [ORDER-CHECK...]: clicks a column header and waits until the list is in that order.
header() {
  geometry
  case $1 in
    counter) click $((LEFT + 30)) $((TOP + 81)) ;;
    content) click $((LEFT + 120)) $((TOP + 81)) ;;
    type) click $((RIGHT - 190)) $((TOP + 81)) ;;
    date) click $((RIGHT - 100)) $((TOP + 81)) ;;
  esac
  await 5 "the list is not in order [${*:2}] after a click on the $1 header" "${@:2}"
}
# sorted FIELD SORT-OPTIONS...: one column (1-based field of list_rows) reads as sort orders it.
sorted() {
  local column
  column=$(list_rows | cut -f"$1")
  [ "$(echo "$column" | sort "${@:2}")" == "$column" ]
}
# types REGEX: the type column, joined by |, matches.
types() { [[ "$(list_rows | cut -f4 | tr '\n' '|')" =~ $1 ]]; }
# tab N: clicks the N-th tab (0 list, 1 URL, 2 e-mail) and waits until it is the current one.
tab() {
  geometry
  click $((LEFT + 32 + 54 * $1)) $((TOP + 58))
  probe_until 5 "^$1\$" page main || fail "tab $1 not shown after a click"
}
# tab_key KEYS N: the keys show tab N.
tab_key() {
  keys "$1"
  probe_until 5 "^$2\$" page main || fail "$1 did not show tab $2; it shows $(probe page main)"
}
# tabs_by_keyboard: Alt with each tab's access key and Ctrl+Tab each way switch the
# tabs (the access keys of every window in both languages: test_startup.sh).
tabs_by_keyboard() {
  local k
  for k in alt+u:1 alt+m:2 alt+l:0 ctrl+tab:1 ctrl+tab:2 ctrl+tab:0 ctrl+shift+tab:2 ctrl+shift+tab:1 alt+l:0; do
    tab_key "${k%:*}" "${k#*:}"
  done
}
# box_by_key KEYS TITLE: the keys open a box titled TITLE (regex); Esc closes it.
box_by_key() {
  keys "$1"
  wait_box "$2"
  keys esc
  box_gone "$2"
}
row_of() { list_rows | grep -F $'\t'"$1"$'\t'; }
row_has() { [ "$(row_of "$1" | cut -f"$2")" == "$3" ]; }
listed() { list_texts | grep -qxF -- "$1"; }

step "20 entries, sorted by date (newest first) at start"
seed
vornix_start
assert_eq 20 "$(list_rows | wc -l)" "rows"
sorted 6 -r || fail "not sorted by date: $(list_rows | cut -f6 | tr '\n' '|')"
shot english-by-date

step "sorting by each header (a new column keeps the order, a second click turns it; the rules: the unit tests)"
header counter sorted 7 -r
shot english-by-counter
header counter sorted 7
header content sorted 3 -f
header type types '^(E-Mail\|)+(Text\|)+(URL\|)+$'
header date sorted 6
header date sorted 6 -r

step "Delete on a protected entry asks; Cancel keeps it; OK deletes it, though a copy arrived meanwhile"
prot=$(list_rows | awk -F'\t' '$1 == "1" {print NR - 1; exit}')
prot_row=$(list_rows | sed -n "$((prot + 1))p")
prot_text=$(echo "$prot_row" | cut -f3)
row "$prot"
keys delete
wait_box $'^Security question\tThe selected entry is protected. Delete it anyway\\?$'
shot delete-question
press Cancel
box_gone 'Delete it anyway'
listed "$prot_text" || fail "Cancel deleted the entry"
keys delete
wait_box 'Delete it anyway'
clip_set "arrived during the question"  # the newest: every row below it moves down
wait_status "arrived during the question"
press OK
box_gone 'Delete it anyway'
await 5 "OK did not delete the entry" rows_are 20
listed "$prot_text" && fail "OK did not delete the confirmed entry"
listed "arrived during the question" || fail "the copy during the question was lost"

step "undo brings the deleted entry back with protection, counter and date"
keys ctrl+z
await 5 "undo did not bring the entry back" listed "$prot_text"
assert_eq "$(echo "$prot_row" | cut -f1-7)" "$(row_of "$prot_text")" "restored row"
assert_eq "$prot_text" "$(clip_get)" "undo puts the text on the clipboard"

step "find as you type: only the rows found, the count, copy back, a capture meanwhile, Esc"
total=$(list_rows | wc -l)
row 0
keys "s n i p space 1 5"
await 5 "the list does not show the one row found: $(list_texts | tr '\n' '|')" rows_are 1
assert_eq "Snippet 15" "$(list_texts)" "the row found"
assert_contains "$(probe status)" "1 of $total" "status bar"
shot english-search
row 0
keys ctrl+c
await 5 "clipboard after copy: [$(clip_get)]" clip_is "Snippet 15"
clip_set "Snippet 15, copied while searching"
clip_set "another text copied while searching"
await 5 "the matching copy is not shown: $(list_texts | tr '\n' '|')" rows_are 2
assert_eq "Snippet 15, copied while searching" "$(list_texts | sed -n 1p)" "the copy shown"
chosen=$(probe selected | cut -f1)
chosen_text=$(list_texts | sed -n "$((chosen + 1))p")
keys esc
await 5 "Esc did not show every row" rows_are $((total + 2))
listed "another text copied while searching" || fail "the copy that does not match was not filed"
assert_eq "$chosen_text" "$(list_texts | sed -n "$(($(probe selected | cut -f1) + 1))p")" "selected entry after Esc"
assert_not_contains "$(probe status)" " of " "status bar after Esc"
assert_eq "main=1 mini=0" "$(probe mini | cut -d' ' -f1-2)" "Esc with a search open ends only the search"

step "protection survives a restart"
unprot=$(list_rows | awk -F'\t' '$1 == "0" {print NR - 1; exit}')
unprot_text=$(list_rows | sed -n "$((unprot + 1))p" | cut -f3)
row "$unprot"
keys space
await 5 "not checked by space" row_has "$unprot_text" 1 1
vornix_stop
reg_set ProtocolMode 0
vornix_start
assert_eq 1 "$(row_of "$unprot_text" | cut -f1)" "protection after restart"

step "Insert files the clipboard text"
clip_set "inserted by key"
row 1
keys insert
await 5 "Insert did not file the clipboard text" listed "inserted by key"

step "URL and e-mail tabs"
tab 1
shot english-url-tab
tab 2
shot english-email-tab
tab 0

step "the keyboard switches the tabs"
tabs_by_keyboard

step "each toolbar command from the keyboard"
rows=$(list_rows | wc -l)
row 0
box_by_key ctrl+n '^Text Input'
box_by_key ctrl+e '^Text Input'
box_by_key ctrl+i '^Open'
box_by_key "alt+e l" '^Security question.Clear whole list'
rows_are "$rows" || fail "the list changed"
text=$(list_rows | sed -n 1p | cut -f3)
row 0
keys ctrl+x
await 5 "Ctrl+X did not cut the entry" rows_are $((rows - 1))
assert_eq "$text" "$(clip_get)" "clipboard after Ctrl+X"
clip_set "pasted by keyboard"
keys ctrl+v
await 5 "Ctrl+V did not file the clipboard" listed "pasted by keyboard"
keys ctrl+m
mini_state '^main=0 mini=1'
probe cmd mini 3003
mini_state '^main=1 mini=0'

step "a stray arrow from the stay-in-front box stays on it"
probe focus main 1007 >/dev/null
probe_until 5 $'^1007\t' focused || fail "the box did not take the keys"
keys down
sleep 0.3
probe_until 5 $'^1007\t' focused || fail "Down moved the keys to [$(probe focused)]"
vornix_stop

step "German"
reg_import LanguageAuto=False LanguageGerman=True
vornix_start
probe_until 10 . list || fail "the entries did not load"
shot german-by-date
row 0
keys "e x a m p l e space 1"
await 5 "no search in German" shows ' von ' probe status
shot german-search
keys esc
tab 1
shot german-url-tab
tab_key alt+l 0
tabs_by_keyboard
row 0
box_by_key "alt+b l" '^Sicherheitsfrage.Die gesamte Liste'
vornix_stop
