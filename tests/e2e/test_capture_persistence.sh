#!/usr/bin/env bash
# Record mode files what other programs copy; the list survives a restart with its
# exact stored form; large entries go to side files; a shrunk list leaves nothing
# behind; a full list of 50 from the store gives up an unprotected entry for a new
# text (which one under each rule: the unit tests).
source "$(dirname "$0")/lib.sh"

reg_import ProtocolMode=1 QuestionQuit=0
vornix_start

step "copying A, B, A files A and B once each"
for text in Alpha Beta Alpha "http://example.org/x" "joe@example.com"; do
  clip_set "$text"
  wait_status "$text"
done
rows=$(list_rows)
echo "$rows"
assert_eq 4 "$(echo "$rows" | wc -l)" "rows"
assert_eq 1 "$(echo "$rows" | cut -f3 | grep -cx Alpha)" "rows of Alpha"
assert_match $'^0\t0\tAlpha\tText\t[0-9]' "$(echo "$rows" | grep $'\tAlpha\t')" "row of Alpha"
assert_match $'\tURL\t' "$(echo "$rows" | grep 'example.org')" "type of the URL"
assert_match $'\tE-Mail\t' "$(echo "$rows" | grep 'joe@')" "type of the address"
assert_match $'\t[0-9]{14}\t0000000000$' "$(echo "$rows" | grep $'\tBeta\t')" "sort keys"
assert_contains "$(probe status)" "joe@example.com" "status bar"

step "20,000 characters go to a side file, 16,383 stay inline"
clip_set_repeat x 20000
wait_status "xxxxxxxxxx [...]"
clip_set_repeat y 16383
wait_status "yyyyyyyyyy [...]"
shot list
before=$(list_rows)
vornix_stop

count=$(reg_get EntryCount)
assert_eq 6 "$count" "EntryCount"
big_index=
for n in $(seq 0 5); do
  value=$(reg_get "Entry$n")
  case "$value" in
    "<BIGFILE>"*) big_index=$n ;;
    yyyy*) assert_eq 16383 "${#value}" "inline entry length" ;;
  esac
done
[ -n "$big_index" ] || fail "no large-entry marker: $(reg_dump)"
assert_eq "<BIGFILE>$(winpath "$E2E_WORK")\\bigfile$big_index.txt</BIGFILE>" "$(reg_get "Entry$big_index")" "marker"
[ -f "$E2E_WORK/bigfile$big_index.txt" ] || fail "no side file $E2E_WORK/bigfile$big_index.txt"
assert_eq 20000 "$(stat -c %s "$E2E_WORK/bigfile$big_index.txt")" "side file size"
assert_eq 1 "$(ls "$E2E_WORK"/bigfile*.txt | wc -l)" "side files"
names=$(reg_dump | awk '$1 ~ /^Entry/ { print $1 }' | sort | tr '\n' ' ')
expected=$(for n in $(seq 0 5); do printf 'Entry%s\nEntryDate%s\nEntryQuant%s\nEntrySel%s\n' $n $n $n $n; done; echo EntryCount)
assert_eq "$(echo "$expected" | sort | tr '\n' ' ')" "$names" "entry value names"
assert_eq False "$(reg_get EntrySel0)" "EntrySel0"
assert_match '^[0-9]+$' "$(reg_get EntryQuant0)" "EntryQuant0"

step "restart: the same entries in the same order, with protection, counters and dates"
reg_set EntrySel2 True
vornix_start
after=$(list_rows)
protected_text=$(echo "$after" | awk -F'\t' '$1 == "1" {print $3}')
assert_eq "$(echo "$before" | cut -f2-)" "$(echo "$after" | cut -f2-)" "rows after restart"
[ -n "$protected_text" ] || fail "no protected row after restart: $after"
vornix_stop
assert_eq True "$(reg_get EntrySel2)" "protection kept"
full_run || exit 0

step "a list that shrank leaves no stale values or side files"
: >"$E2E_WORK/bigfile7.txt"
reg_seed EntryCount=5 Entry0=first Entry1=second 'Entry2=<BIGFILE>C:\nowhere\bigfile2.txt</BIGFILE>' Entry3=first \
  Entry4=third EntryQuant4=3 QuestionQuit=0
vornix_start
assert_eq 3 "$(list_rows | wc -l)" "rows loaded"
vornix_stop
assert_eq 3 "$(reg_get EntryCount)" "EntryCount after shrinking"
for n in 3 4 5 49; do
  reg_has "Entry$n" && fail "stale Entry$n: $(reg_dump)"
  reg_has "EntryQuant$n" && fail "stale EntryQuant$n"
done
[ ! -e "$E2E_WORK/bigfile7.txt" ] || fail "stale side file $E2E_WORK/bigfile7.txt"
texts=$(for n in 0 1 2; do reg_get "Entry$n"; echo; done | sort | tr '\n' ' ')
assert_eq "first second third " "$texts" "stored texts"

step "a full list: the lowest counter goes"
# 50 entries, dates one minute apart; counters 5, except entry 7 (1) and entry 3 (1, but protected).
values=(EntryCount=50 EntrySel3=True ProtocolMode=1 QuestionQuit=0 ProtocolQuant=True)
for n in $(seq 0 49); do
  case $n in 3 | 7) q=1 ;; *) q=5 ;; esac
  values+=("Entry$n=entry $n" "$(printf 'EntryDate%s=1/2/2024 10:%02d:00 AM' "$n" "$n")" "EntryQuant$n=$q")
done
clip_empty
reg_seed "${values[@]}"
vornix_start
assert_eq 50 "$(list_rows | wc -l)" "rows loaded"
clip_set "newcomer"
wait_status "newcomer"
texts=$(list_texts)
assert_eq 50 "$(echo "$texts" | wc -l)" "rows after the capture"
echo "$texts" | grep -qx "newcomer" || fail "newcomer not filed"
echo "$texts" | grep -qx "entry 7" && fail "entry 7 (lowest counter) should have gone"
echo "$texts" | grep -qx "entry 3" || fail "the protected entry 3 went"
vornix_stop
