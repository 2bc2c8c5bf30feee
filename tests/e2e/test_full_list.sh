#!/usr/bin/env bash
# With 50 entries and record mode on, a new text gives up the unprotected entry
# with the lowest counter (or, with ProtocolQuant False, the oldest one).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

seed() {
  reg_clear
  {
    echo "EntryCount=50"
    for n in $(seq 0 49); do
      echo "Entry$n=entry $n"
      # Dates one minute apart, entry 0 the oldest; counters 5, except entry 7 (1)
      # and entry 3 (1, but protected).
      printf 'EntryDate%s=1/2/2024 10:%02d:00 AM\n' "$n" "$n"
      case $n in
        7) echo "EntryQuant$n=1" ;;
        3) echo "EntryQuant$n=1"; echo "EntrySel$n=True" ;;
        0) echo "EntryQuant$n=9" ;;
        *) echo "EntryQuant$n=5" ;;
      esac
    done
    echo "ProtocolMode=1"
    echo "QuestionQuit=0"
    echo "$1"
  } | reg_import
}

step "lowest counter first"
seed "ProtocolQuant=True"
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

step "oldest first with ProtocolQuant False"
seed "ProtocolQuant=False"
vornix_start
clip_set "latecomer"
wait_status "latecomer"
texts=$(list_texts)
echo "$texts" | grep -qx "latecomer" || fail "latecomer not filed"
echo "$texts" | grep -qx "entry 0" && fail "entry 0 (oldest) should have gone"
echo "$texts" | grep -qx "entry 7" || fail "entry 7 should stay"
vornix_stop
