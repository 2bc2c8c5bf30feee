#!/usr/bin/env bash
# Quick access from another application: the main hotkey, the hot menu at the
# pointer with its pick, Esc, right click and idle close, a text key typed
# exactly, and a hotkey another program already holds. "Front App" (frontapp.exe)
# stands in for the application in front and reports what it receives.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

frontapp() { wine_run "$E2E_WIN64_DIR/frontapp.exe" "$@"; }

# front_start NAME [MODIFIERS KEY]: the application in front, holding a hotkey when asked.
front_start() {
  local name=$1
  shift
  rm -f "$E2E_WORK/$name".*
  (cd "$E2E_WORK" && exec "$WINE" "$E2E_WIN64_DIR/frontapp.exe" window "$(winpath "$E2E_WORK/$name.txt")" "$@" \
    >"$E2E_WORK/$name.log" 2>&1 </dev/null) &
  E2E_BACKGROUND_PIDS+=("$!")
  wait_until 10 test -f "$E2E_WORK/$name.txt.ready" || fail "Front App did not start: $(cat "$E2E_WORK/$name.log")"
}
front_stop() { touch "$E2E_WORK/$1.txt.stop"; }
received() { cat "$E2E_WORK/front.txt"; }
# wait_received TEXT [SECONDS]: Wine under Xvfb delivers about 30 typed characters a second.
wait_received() {
  wait_until "${2:-10}" bash -c '[ "$(cat "$0")" == "$1" ]' "$E2E_WORK/front.txt" "$1" ||
    fail "Front App received [$(received)], expected [$1]"
}
menu_shown() { frontapp menu >/dev/null 2>&1; }
# menu_open X Y: the hot-menu hotkey with the pointer at X,Y while Front App is in front.
menu_open() {
  xdotool mousemove "$1" "$2"
  frontapp focus >/dev/null || fail "Front App could not take the front"
  local out
  out=$(frontapp press ctrl+alt+v "Vornix Hot Menu") || fail "the hot menu did not open"
  MENU_MS=$(echo "$out" | sed -n 's/^shown\t//p')
  sleep 0.3
}

LONG_ENTRY="A long entry that the hot menu shows shortened: $(printf 'word %.0s' $(seq 40))and its end"
BLOCK=$'Zeile 1\r\n+^%~(){}[] Grüße – 中文'
LONG_BLOCK=$(printf 'abcdefghijklmnopqrstuvwxyz 0123456789 %.0s' $(seq 7) | head -c 256)

seed() {
  reg_clear
  {
    echo "EntryCount=6"
    for n in 0 1 2 3 4; do
      echo "Entry$n=Entry number $n"
      echo "EntryDate$n=3/$((n + 1))/2026 10:00:00 AM"
      echo "EntryQuant$n=1"
    done
    echo "Entry5=$LONG_ENTRY"
    echo "EntryDate5=2/1/2026 10:00:00 AM"
    echo "EntryQuant5=1"
    echo "QuestionQuit=0"
    echo "ProtocolMode=0"
    echo "HotmenuBol=True"
    echo "TextkeyBol=True"
    echo "HotmenuKeystroke=1"
    echo "HotmenuClipboard=1"
    echo "TextKeystroke=1"
    echo "TextClipboard=1"
    for kv in "$@"; do echo "$kv"; done
  } | reg_import
  reg_set Textkey4 "$BLOCK"
  reg_set Textkey5 "$LONG_BLOCK"
}

step "main hotkey from another window"
seed LanguageAuto=False LanguageEnglish=True
front_start front
vornix_start
clip_set "on the clipboard"
frontapp focus >/dev/null
assert_contains "$(frontapp state)" $'front\tFront App' "before the hotkey"
frontapp press ctrl+alt+c >/dev/null
wait_until 5 bash -c "'$WINE' '$E2E_WIN64_DIR/frontapp.exe' state | tr -d '\r' | grep -q '^checked.1'" ||
  fail "stay in front was not ticked: $(frontapp state)"
state=$(frontapp state)
assert_match $'front\tVornix \\(' "$state" "window in front"
assert_contains "$state" $'topmost\t1' "top-most flag"

step "hot menu at the pointer: clipboard text and every entry"
menu_open 200 300
echo "hot menu on the screen after ${MENU_MS} ms (hotkey sent to window visible)"
menu=$(frontapp menu)
assert_match $'^rect\t200 300 ' "$menu" "hot menu place"
expected=$'on the clipboard\nEntry number 4\nEntry number 3\nEntry number 2\nEntry number 1\nEntry number 0'
assert_eq "$expected" "$(echo "$menu" | sed -n 2,7p)" "hot menu lines"
# 25 characters from the start, " [...] ", 25 from the end (trimmed).
assert_eq "A long entry that the hot [...] ord word word and its end" "$(echo "$menu" | sed -n 8p)" "shortened line"
shot hotmenu-english

step "pick line 3 with the keyboard: typed and on the clipboard"
probe keys "down down down enter" >/dev/null
wait_received "Entry number 2"
wait_until 5 bash -c '[ "$("$0" "$1" get | tr -d "\r")" == "Entry number 2" ]' "$WINE" "$E2E_WIN64_DIR/cliphelper.exe" ||
  fail "clipboard holds [$(clip_get)]"
wait_until 5 bash -c '! "$0" "$1" menu' "$WINE" "$E2E_WIN64_DIR/frontapp.exe" || fail "the menu stayed open after the pick"
assert_eq "2" "$(list_rows | awk -F'\t' '$3 == "Entry number 2" { print $2 }')" "counter of the picked entry"

step "Esc, a right click and five idle seconds close it without handing over"
before_clip=$(clip_get)
menu_open 1010 750
menu=$(frontapp menu)
read -r left top right bottom <<<"$(echo "$menu" | sed -n '1s/^rect\t\([0-9 -]*\)\t.*/\1/p')"
[ "$right" -le 1024 ] && [ "$bottom" -le 768 ] && [ "$left" -ge 0 ] || fail "menu off the screen: $menu"
probe keys esc >/dev/null
wait_until 3 bash -c '! "$0" "$1" menu' "$WINE" "$E2E_WIN64_DIR/frontapp.exe" || fail "Esc did not close the menu"
menu_open 300 200
xdotool mousemove 340 260 click 3
wait_until 3 bash -c '! "$0" "$1" menu' "$WINE" "$E2E_WIN64_DIR/frontapp.exe" || fail "a right click did not close it"
menu_open 300 200
opened=$SECONDS
while menu_shown; do
  [ $((SECONDS - opened)) -lt 9 ] || fail "still open after idle time"
  sleep 0.2
done
idle=$((SECONDS - opened))
[ "$idle" -ge 4 ] || fail "closed after $idle s, before five idle seconds"
echo "closed by itself after about $idle s without activity"
assert_eq "Entry number 2" "$(received)" "Front App after the closes"
assert_eq "$before_clip" "$(clip_get)" "clipboard after the closes"

step "text key 4 types its block exactly"
frontapp focus >/dev/null
frontapp press ctrl+alt+4 >/dev/null
wait_received "Entry number 2$BLOCK"
# The clipboard's plain text is in code page 1252, which has no Chinese characters.
wait_until 5 bash -c '[ "$("$0" "$1" getw)" == "$2" ]' "$WINE" "$E2E_WIN64_DIR/cliphelper.exe" "${BLOCK/中文/??}" ||
  fail "clipboard after text key 4: [$(clip_get_unicode)]"

step "text key 5: 256 characters"
frontapp focus >/dev/null
sent=$(frontapp press ctrl+alt+5 | sed -n 's/^sent\t//p')
wait_received "Entry number 2$BLOCK$LONG_BLOCK" 40
echo "256 characters typed $(( $(cat "$E2E_WORK/front.txt.time") - sent )) ms after the text key was sent"
vornix_stop
front_stop front
for atom in VornixHotKey VornixHotMenu VornixTextKey4; do
  assert_eq none "$(frontapp atom "$atom")" "atom $atom after quitting"
done

step "a hotkey held by another program"
seed LanguageAuto=False LanguageEnglish=True
front_start holder 3 86
front_start front
vornix_start
wait_box 'cannot be set'
assert_contains "$(probe_boxes)" 'The hotkey "Alt +Ctrl + V" cannot be set.' "message 223"
press OK
# The main window shows once its loading, with the box, is done.
wait_until 5 bash -c '! "$0" "$1" boxes | grep -q "cannot be set"' "$WINE" "$E2E_WIN64_DIR/probe.exe"
sleep 1
frontapp focus >/dev/null
frontapp press ctrl+alt+4 >/dev/null
wait_received "$BLOCK"
frontapp press ctrl+alt+c >/dev/null
wait_until 5 bash -c "'$WINE' '$E2E_WIN64_DIR/frontapp.exe' state | tr -d '\r' | grep -q '^checked.1'" ||
  fail "the main hotkey did not work beside the taken one"
vornix_stop
for atom in VornixHotKey VornixHotMenu VornixTextKey0; do
  assert_eq none "$(frontapp atom "$atom")" "atom $atom after quitting"
done
front_stop holder
front_stop front

step "hot menu in German"
seed LanguageAuto=False LanguageGerman=True
front_start front
vornix_start
clip_empty
menu_open 150 120
shot hotmenu-german
probe keys esc >/dev/null
vornix_stop
front_stop front
