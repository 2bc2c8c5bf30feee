#!/usr/bin/env bash
# The hot menu under Wine, measured from outside as the user meets it, the way
# the quick-access test times its opening: from the hotkey sent to the menu on
# the screen, and from a keystroke sent to the menu redrawn with the lines its
# search finds (the probe asks the menu once it has handled the key and drawn).
# The list: 50 entries, ten of them a million characters. Figures only: nothing
# passes or fails. Run by `make bench` or by hand: bash bench/hotmenu_wine.sh
cd "$(dirname "$0")/../tests/e2e"
# shellcheck source=../tests/e2e/lib.sh
source ./lib.sh

RUNS=${RUNS:-5}

# 40 short entries stored, then ten of a million characters of running text each,
# filed by Vornix from the clipboard.
values=(QuestionQuit=0 ProtocolMode=1 HotmenuBol=True HotmenuKeystroke=0 HotmenuClipboard=1 EntryCount=40)
for n in $(seq 0 39); do
  values+=("Entry$n=Rechnung Nr. $((1000 + n)) an Mueller GmbH, Posten $n" "EntryDate$n=1/$((n % 28 + 1))/2026 10:00:00 AM"
    "EntryQuant$n=1")
done
reg_seed "${values[@]}"
front_start front
vornix_start
for n in $(seq 0 9); do
  { yes "Lorem ipsum dolor sit amet $n, consectetur adipiscing elit." || true; } | head -c 1000000 >"$E2E_WORK/big.txt"
  clip_set_bytes "$E2E_WORK/big.txt"
  await 20 "the big entry $n was not filed" shows "Lorem ipsum dolor sit amet $n," probe list 40
done
assert_eq 50 "$(list_rows 20 | wc -l)" "entries"

opened=() typed=()
for run in $(seq "$RUNS"); do
  menu_open ctrl+alt+v 200 300 || fail "the hot menu did not open"
  opened+=("$MENU_MS")
  # One keystroke at a time, with the lines each leaves (the clipboard holds the
  # last big text, a line of its own): "rech 1032" narrows to one entry.
  for step in "r:51" "e:51" "c:40" "h:40" "space:40" "1:40" "0:40" "3:10" "2:1"; do
    ms=$(probe menukeys "${step%%:*}" "${step##*:}" | sed -n 's/^redrawn\t//p')
    [ -n "$ms" ] || fail "the menu did not show ${step##*:} lines after ${step%%:*}"
    typed+=("$ms")
  done
  keys esc
  keys esc
  menu_closed "Esc did not close the menu"
done
vornix_stop 20
front_stop front

summary() { printf '%s\n' "$@" | sort -n | awk '{ a[n++] = $1 } END { printf "median %d ms, max %d ms (%d)\n", a[int(n / 2)], a[n - 1], n }'; }
echo "hot menu on the screen after the hotkey: $(summary "${opened[@]}")"
echo "hot menu redrawn after one keystroke: $(summary "${typed[@]}")"
echo "  each keystroke, run by run (ms): ${typed[*]}"
echo "  load average: $(cut -d' ' -f1-3 /proc/loadavg)"
