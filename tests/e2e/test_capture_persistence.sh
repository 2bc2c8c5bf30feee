#!/usr/bin/env bash
# Record mode files what other programs copy; the list survives a restart with its
# exact stored form; large entries go to side files; a shrunk list leaves nothing behind.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

reg_set ProtocolMode 1
reg_set QuestionQuit 0
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
assert_contains "$(probe_status)" "joe@example.com" "status bar"

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
assert_file_exists "$E2E_WORK/bigfile$big_index.txt"
assert_eq 20000 "$(stat -c %s "$E2E_WORK/bigfile$big_index.txt")" "side file size"
assert_eq 1 "$(ls "$E2E_WORK"/bigfile*.txt | wc -l)" "side files"
names=$(reg_names | grep -E '^Entry' | sort | tr '\n' ' ')
expected=$(for n in $(seq 0 5); do printf 'Entry%s\nEntryDate%s\nEntryQuant%s\nEntrySel%s\n' $n $n $n $n; done; echo EntryCount)
assert_eq "$(echo "$expected" | sort | tr '\n' ' ')" "$names" "entry value names"
assert_eq False "$(reg_get EntrySel0)" "EntrySel0"
assert_match '^[0-9]+$' "$(reg_get EntryQuant0)" "EntryQuant0"

step "restart: the same entries in the same order, with protection, counters and dates"
reg_set EntrySel2 True
vornix_start
after=$(list_rows)
protected_text=$(echo "$after" | awk -F'\t' '$1 == "1" {print $3}')
assert_eq "$(echo "$before" | sed -n 3p | cut -f2-)" "$(echo "$after" | sed -n 3p | cut -f2-)" "third row"
assert_eq "$(echo "$before" | cut -f2-)" "$(echo "$after" | cut -f2-)" "rows after restart"
[ -n "$protected_text" ] || fail "no protected row after restart: $after"
vornix_stop
assert_eq True "$(reg_get EntrySel2)" "protection kept"

step "a list that shrank leaves no stale values or side files"
reg_clear
: >"$E2E_WORK/bigfile7.txt"
{
  echo "EntryCount=5"
  echo "Entry0=first"
  echo "Entry1=second"
  echo "Entry2=<BIGFILE>C:\\nowhere\\bigfile2.txt</BIGFILE>"
  echo "Entry3=first"
  echo "Entry4=third"
  echo "EntryQuant4=3"
  echo "QuestionQuit=0"
} | reg_import
vornix_start
assert_eq 3 "$(list_rows | wc -l)" "rows loaded"
vornix_stop
assert_eq 3 "$(reg_get EntryCount)" "EntryCount after shrinking"
for n in 3 4 5 49; do
  reg_has "Entry$n" && fail "stale Entry$n: $(reg_dump)"
  reg_has "EntryQuant$n" && fail "stale EntryQuant$n"
done
assert_no_file "$E2E_WORK/bigfile7.txt"
texts=$(for n in 0 1 2; do reg_get "Entry$n"; echo; done | sort | tr '\n' ' ')
assert_eq "first second third " "$texts" "stored texts"
