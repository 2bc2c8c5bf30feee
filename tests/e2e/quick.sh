# Helpers of the quick-access tests: "Front App" (frontapp.exe) stands in for
# the application in front and reports what it receives. Sourced after lib.sh
# and entries.sh.

frontapp() { wine_run "$E2E_WIN64_DIR/frontapp.exe" "$@"; }

# front_start NAME [MODIFIERS KEY]: the application in front, holding a hotkey when asked.
front_start() {
  local name=$1
  shift
  rm -f "$E2E_WORK/$name".*
  (cd "$E2E_WORK" && exec "$WINE" "$E2E_WIN64_DIR/frontapp.exe" window "$(winpath "$E2E_WORK/$name.txt")" "$@" \
    >"$E2E_WORK/$name.log" 2>&1 </dev/null) &
  E2E_BACKGROUND_PIDS+=("$!")
  echo "$!" >"$E2E_WORK/$name.pid"
  wait_until 10 test -f "$E2E_WORK/$name.txt.ready" || fail "Front App did not start: $(cat "$E2E_WORK/$name.log")"
}
# front_stop NAME: returns once it has ended, so that a hotkey it held is free again.
front_stop() {
  touch "$E2E_WORK/$1.txt.stop"
  local pid
  pid=$(cat "$E2E_WORK/$1.pid" 2>/dev/null) || return 0
  wait_until 10 bash -c '! kill -0 "$0" 2>/dev/null' "$pid" || fail "Front App $1 did not end"
}
received() { cat "$E2E_WORK/front.txt"; }
# wait_received TEXT [SECONDS]: Wine under Xvfb delivers about 30 typed characters a second.
wait_received() {
  wait_until "${2:-10}" bash -c '[ "$(cat "$0")" == "$1" ]' "$E2E_WORK/front.txt" "$1" ||
    fail "Front App received [$(received)], expected [$1]"
}
# The main window takes the front when it first shows, which may be after
# vornix_start returns: only then can Front App be put in front for good.
vornix_took_front() {
  wait_until 10 bash -c "'$WINE' '$E2E_WIN64_DIR/frontapp.exe' state | tr -d '\r' | grep -q '^front.Vornix'" ||
    fail "the main window did not come to the front"
  sleep 0.3
}
# atoms_left NAME...: after quitting, no atom the program added may be left.
# Global atoms outlive a program that was killed: one an earlier test left in
# this Wine session is recorded before the start (atoms_before) and not counted.
atoms_before() {
  ATOMS_HELD=
  local atom
  for atom in "$@"; do [ "$(frontapp atom "$atom")" = none ] || ATOMS_HELD+=" $atom"; done
}
atoms_left() {
  local atom
  for atom in "$@"; do
    [[ " $ATOMS_HELD " == *" $atom "* ]] && continue
    assert_eq none "$(frontapp atom "$atom")" "atom $atom after quitting"
  done
}
menu_shown() { frontapp menu >/dev/null 2>&1; }
# menu_open X Y: the hot-menu hotkey with the pointer at X,Y while Front App is in front.
# Without a window manager Wine may hand the front to a window a moment late,
# which takes the focus from a menu just opened: such a try is made again.
menu_open() {
  local out try
  xdotool mousemove "$1" "$2"
  for try in 1 2 3; do
    frontapp focus >/dev/null || fail "Front App could not take the front"
    sleep 0.3
    if out=$(frontapp press ctrl+alt+v "Vornix Hot Menu"); then
      MENU_MS=$(echo "$out" | sed -n 's/^shown\t//p')
      sleep 0.3
      menu_shown && return 0
    fi
    echo "hot menu try $try: not open"
  done
  fail "the hot menu did not open"
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

