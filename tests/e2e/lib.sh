# Shared functions of the end-to-end tests, which source this file and then drive
# Vornix.exe under Wine: every test gets a fresh folder with its own copy of the
# exe (so side files land there), an empty Vornix registry key and an empty
# clipboard. Under CTest the Wine prefix and the X display come from the fixture
# (fixture.sh); run by hand (bash test_x.sh) the script sets up a private one.
# Texts passed and returned are UTF-8; the 8-bit clipboard is code page 1252.
# Waiting: never a fixed time; poll a cheap signal, best inside the probe
# (probe_until). Reading the list briefly freezes the program: not in a tight loop.

set -Eeuo pipefail

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_LIB_DIR/../.." && pwd)
# shellcheck source=wine_env.sh
source "$E2E_LIB_DIR/wine_env.sh"
wine_env_fixed_locale

E2E_NAME=$(basename "$0" .sh)
E2E_NAME=${E2E_NAME#test_}

VORNIX_PID=
E2E_BACKGROUND_PIDS=()
E2E_OWN_FIXTURE=0

# ---------------------------------------------------------------- messages

step() { echo "--- [${SECONDS} s] $*"; }

fail() { echo "FAIL [$E2E_NAME]: $*" >&2; exit 1; }

# assert_eq EXPECTED ACTUAL [WHAT], and the same shape for the others.
assert_eq() { [ "$1" == "$2" ] || fail "${3:-value}: expected [$1], got [$2]"; }
assert_contains() { [[ "$1" == *"$2"* ]] || fail "${3:-output} does not contain [$2]; it is: [$1]"; }
assert_not_contains() { [[ "$1" != *"$2"* ]] || fail "${3:-output} contains [$2]; it is: [$1]"; }
assert_match() { [[ "$2" =~ $1 ]] || fail "${3:-value} does not match /$1/: [$2]"; }

# wait_until SECONDS COMMAND...: runs COMMAND every fifth of a second until it succeeds.
# Every wait is stretched by WINE_SLOWNESS (the emulated 32-bit Wine).
wait_until() {
  local deadline=$((SECONDS + $1 * WINE_SLOWNESS))
  until "${@:2}" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# await SECONDS WHAT COMMAND...: the same, and the test fails with WHAT (and a
# screenshot) when COMMAND never succeeds. Time-outs are generous: the machine is shared.
await() { wait_until "$1" "${@:3}" || { shot timeout; fail "$2"; }; }
# shows REGEX COMMAND...: a line of COMMAND's output matches REGEX (extended syntax).
shows() { "${@:2}" 2>/dev/null | grep -Eq -- "$1"; }

# The shipped 32-bit exe under emulation (VORNIX_E2E_SUBSET=1) is several times
# slower: it runs only the parts of a script where the two builds' code differs,
# and a script leaves the rest out with `if full_run; then ... fi` or ends early
# with `full_run || exit 0`.
full_run() { [ "${VORNIX_E2E_SUBSET:-0}" != 1 ]; }

# ---------------------------------------------------------------- Wine

# Windows path of a Unix path (Wine's Z: drive is the Unix root).
winpath() {
  local path
  path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  echo "Z:${path//\//\\}"
}

# wine_run EXE ARGS...: runs a Windows console program and prints its output
# without CRs. Output goes through a file: a pipe could be held open by Wine
# processes started along the way and keep the caller waiting.
wine_run() {
  wine_run_raw "$@" | tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# Same, but prints the output byte for byte (CRs kept).
wine_run_raw() {
  local out rc=0
  out=$(mktemp "$E2E_WORK/.wine_run.XXXXXX")
  "$WINE" "$@" >"$out" 2>>"$E2E_WORK/wine_run.log" </dev/null || rc=$?
  cat "$out"
  rm -f "$out"
  return $rc
}

# cliphelper plays the other applications, probe looks into Vornix and works its windows.
cliphelper() { wine_run "$E2E_EXE_DIR/cliphelper.exe" "$@"; }
probe() { wine_run "$E2E_EXE_DIR/probe.exe" "$@"; }
probe_raw() { wine_run_raw "$E2E_EXE_DIR/probe.exe" "$@"; }
# probe_until SECONDS [!]REGEX COMMAND...: the probe runs COMMAND again and again in
# one process until a line of its output matches REGEX (ECMAScript), or until none
# does with "!"; fails otherwise. Far cheaper than a Wine process for each try.
probe_until() { probe until "$(($1 * WINE_SLOWNESS))" "${@:2}" >/dev/null; }
# keycheck german|english: in every open window of the program no two captions
# share an access key and no text is of the other language.
keycheck() {
  local out
  out=$(probe keycheck "$1") || { shot keycheck; fail "the open windows in $1:"$'\n'"$out"; }
}
# use_dpi N: Wine's LogPixels for the programs started from now on. The prefix is
# shared with the other tests: the first call puts the old value back at exit.
DPI_KEY='HKCU\Control Panel\Desktop'
use_dpi() {
  if [ -z "${DPI_RESTORE_SET:-}" ]; then
    DPI_RESTORE_SET=1
    local had
    had=$(wine_run reg query "$DPI_KEY" /v LogPixels 2>/dev/null | awk '/LogPixels/ { print $3 }' || true)
    on_exit "wine_run reg $([ -n "$had" ] && echo add || echo delete) '$DPI_KEY' /v LogPixels ${had:+/t REG_DWORD /d $((had))} /f >/dev/null 2>&1"
  fi
  wine_run reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || fail "LogPixels $1"
}
# literal TEXT: TEXT as a regex that matches it as it is.
literal() { printf '%s' "$1" | sed 's/[][\\.^$*+?(){}|]/\\&/g'; }

# ---------------------------------------------------------------- clipboard

# clip_set TEXT: puts TEXT (UTF-8) on the clipboard as CF_TEXT in code page 1252.
clip_set() {
  printf '%s' "$1" | iconv -f UTF-8 -t CP1252 >"$E2E_WORK/.clip_set.txt" || fail "not in code page 1252: $1"
  clip_set_bytes "$E2E_WORK/.clip_set.txt"
}

# clip_set_unicode TEXT [MARKER]: a Unicode program copies TEXT, as CF_UNICODETEXT only,
# optionally with a privacy marker (exclude, ignore, nohistory, history: see cliphelper).
clip_set_unicode() {
  printf '%s' "$1" >"$E2E_WORK/.clip_setw.txt"
  cliphelper setw "$(winpath "$E2E_WORK/.clip_setw.txt")" ${2:+"$2"}
}

# clip_set_bytes FILE: puts the file's bytes on the clipboard as they are.
clip_set_bytes() { cliphelper setfile "$(winpath "$1")"; }

# clip_set_repeat CHAR COUNT: a long text of COUNT times CHAR (ASCII).
clip_set_repeat() {
  printf "%$2s" "" | tr ' ' "$1" >"$E2E_WORK/.clip_repeat.txt"
  clip_set_bytes "$E2E_WORK/.clip_repeat.txt"
}

# clip_get: the CF_TEXT content as UTF-8; fails when the clipboard holds no text.
clip_get() {
  wine_run_raw "$E2E_EXE_DIR/cliphelper.exe" get | iconv -f CP1252 -t UTF-8
  return "${PIPESTATUS[0]}"
}

# clip_get_unicode: CF_UNICODETEXT as UTF-8 (the system's conversion of CF_TEXT).
clip_get_unicode() { wine_run_raw "$E2E_EXE_DIR/cliphelper.exe" getw; }

clip_empty() { cliphelper empty; }
clip_is() { [ "$(clip_get_unicode)" == "$1" ]; }

# viewer_start NAME: another clipboard viewer joins the chain (in front of those
# already in it); returns once it is in. viewer_stop NAME: it leaves and ends.
viewer_start() {
  rm -f "$E2E_WORK/$1".{ready,stop,out,draws}
  (cd "$E2E_WORK" && exec "$WINE" "$E2E_EXE_DIR/cliphelper.exe" viewer 100 "$1" >"$E2E_WORK/$1.out" 2>&1 </dev/null) &
  eval "E2E_VIEWER_PID_$1=$!"
  E2E_BACKGROUND_PIDS+=("$!")
  await 10 "viewer $1 did not join the chain" test -f "$E2E_WORK/$1.ready"
}
viewer_stop() {
  local pid_var="E2E_VIEWER_PID_$1"
  touch "$E2E_WORK/$1.stop"
  wait "${!pid_var}" || fail "viewer $1 failed: $(cat "$E2E_WORK/$1.out")"
}
# viewer_saw NAME COUNT: waits until a running viewer has had COUNT WM_DRAWCLIPBOARD.
viewer_saw() { await 10 "viewer $1 did not see $2 changes" grep -qx "$2" "$E2E_WORK/$1.draws"; }
# viewer_draws NAME: the WM_DRAWCLIPBOARD messages a stopped viewer got, the one on joining included.
viewer_draws() { tr -d '\r' <"$E2E_WORK/$1.out" | sed -n 1p; }

# ---------------------------------------------------------------- registry

E2E_KEY='HKCU\Software\Vornix\Settings'

# reg_set NAME VALUE: a REG_SZ value, byte-exact (through a UTF-8 file, so that
# neither command-line quoting nor the console can change it), set before Vornix starts.
reg_set() {
  printf '%s' "$2" >"$E2E_WORK/.reg_set.txt"
  probe regset "$1" "$(winpath "$E2E_WORK/.reg_set.txt")" || fail "regset $1 failed"
}

# reg_get NAME: the stored text exactly (line breaks kept); fails when absent.
reg_get() { probe_raw regget "$1"; }
reg_has() { reg_get "$1" >/dev/null 2>&1; }
# reg_clear: removes everything Vornix stored. reg_dump: reg.exe's listing of the key.
reg_clear() { wine_run reg delete 'HKCU\Software\Vornix' /f >/dev/null 2>&1 || true; }
reg_dump() { wine_run reg query "$E2E_KEY" || true; }

# ---------------------------------------------------------------- the program

E2E_WINDOW_REGEX='^Vornix'

# vornix_start [DIR]: starts a copy of Vornix.exe in this test's folder (or the
# one in DIR) and waits (20 s at most) for its window.
vornix_start() {
  [ -z "$VORNIX_PID" ] || fail "vornix_start: Vornix is already running"
  [ -n "${1:-}" ] || cp "${VORNIX_EXE:-$E2E_EXE_DIR/Vornix.exe}" "$E2E_WORK/Vornix.exe"
  (cd "${1:-$E2E_WORK}" && exec "$WINE" Vornix.exe >>"$E2E_WORK/vornix.log" 2>&1 </dev/null) &
  VORNIX_PID=$!
  echo "$VORNIX_PID" >"$E2E_STATE_DIR/vornix.pid"
  local deadline=$((SECONDS + 20 * WINE_SLOWNESS))
  until xdotool search --limit 1 --name "$E2E_WINDOW_REGEX" >/dev/null 2>&1; do
    vornix_running || fail "Vornix ended before its window appeared"
    [ "$SECONDS" -lt "$deadline" ] || { shot no-window; fail "no Vornix window after $((20 * WINE_SLOWNESS)) s"; }
    sleep 0.1
  done
  # Under emulation the window shows seconds before the program answers messages.
  [ "$WINE_SLOWNESS" = 1 ] || wait_until 20 shows . probe title || true
}

vornix_running() { [ -n "$VORNIX_PID" ] && kill -0 "$VORNIX_PID" 2>/dev/null; }
vornix_gone() { VORNIX_PID= && rm -f "$E2E_STATE_DIR/vornix.pid"; }

# vornix_wait_exit [SECONDS]: waits for the program to end by itself; sets VORNIX_EXIT.
# Allow for about 2 s more when it had a tray icon (Wine waits for a window manager).
vornix_wait_exit() {
  local seconds=${1:-15}
  local deadline=$((SECONDS + seconds * WINE_SLOWNESS))
  while kill -0 "$VORNIX_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  VORNIX_EXIT=0
  wait "$VORNIX_PID" || VORNIX_EXIT=$?
  vornix_gone
}

# vornix_close: asks the main window to close (WM_CLOSE) and returns at once.
vornix_close() { probe close >/dev/null || fail "vornix_close: no Vornix window"; }

# vornix_stop [SECONDS]: closes the program and waits for its end; a program
# that is still there after SECONDS is killed and the test fails.
vornix_stop() {
  vornix_running || fail "vornix_stop: Vornix is not running"
  vornix_close
  vornix_wait_exit "${1:-15}" && return 0
  shot not-closed
  local boxes
  boxes=$(probe boxes || true)
  vornix_kill
  fail "Vornix did not end within ${1:-15} s after WM_CLOSE${boxes:+; boxes open: $boxes}"
}

vornix_kill() {
  [ -n "$VORNIX_PID" ] || return 0
  kill -9 "$VORNIX_PID" 2>/dev/null || true
  wait "$VORNIX_PID" 2>/dev/null || true
  vornix_gone
}

# The list rows: check box state (1, 0 or -) and then each column, tab-separated
# (counter, content, type, date, date key, count key); tabs, CR, LF and
# backslashes inside texts appear as \t \r \n \\.
list_rows() { probe list "$@"; }
# Only the contents, in display order.
list_texts() { probe list | cut -f3; }
rows_are() { [ "$(list_rows | wc -l)" = "$1" ]; }

# wait_status TEXT [SECONDS]: waits until the status bar shows TEXT (the clipboard display).
wait_status() {
  probe_until "${2:-10}" "$(literal "$1")" status || fail "status bar never showed [$1]; it shows [$(probe status)]"
}

# press BUTTON: clicks a button (by its text, & ignored) of the front open box.
press() { probe press "$1" >/dev/null || fail "press: no open box has a button [$1]; boxes: $(probe boxes)"; }

# wait_box REGEX [SECONDS]: waits until an open box's line (probe boxes: its title,
# then its texts, tab-separated) matches.
wait_box() { probe_until "${2:-10}" "$1" boxes || { shot no-box; fail "no box /$1/; boxes: $(probe boxes)"; }; }
# box_gone REGEX [SECONDS]: waits until no open box's line matches.
box_gone() { probe_until "${2:-10}" "!$1" boxes || { shot box-open; fail "a box /$1/ stayed open"; }; }

# keys STROKES [TITLE]: keystrokes through SendInput, e.g. "ctrl+alt+c" or "ctrl+a delete";
# with TITLE, waits until a window of that title shows (prints the time sent and the wait).
keys() { probe keys "$@" >/dev/null || fail "keys $* failed"; }

# mini_state REGEX: waits until "main=.. mini=.. left top width height" matches.
mini_state() { probe_until 10 "$1" mini || fail "state never matched /$1/; it is [$(probe mini)]"; }

# geometry [WINDOW]: its inner area on the screen (the client area with the menu bar)
# as LEFT TOP RIGHT BOTTOM, and its outer size as WIDTH HEIGHT (WINDOW as for probe:
# main by default).
geometry() {
  local l t r b
  read -r l t r b LEFT TOP RIGHT BOTTOM <<<"$(probe rect "${1:-main}" | tr '\t' ' ')" || fail "no window ${1:-main}"
  WIDTH=$((r - l)) HEIGHT=$((b - t))
}
# click X Y: a real mouse click, never so soon after the last one that the two make a
# double-click (the system's double-click time is half a second).
E2E_LAST_CLICK=0
click() {
  local since=$((${EPOCHREALTIME/./} / 1000 - E2E_LAST_CLICK))
  [ "$since" -ge 600 ] || sleep "0.$(printf '%03d' $((600 - since)))"
  xdotool mousemove "$1" "$2" click 1
  E2E_LAST_CLICK=$((${EPOCHREALTIME/./} / 1000))
}
# row N: clicks row N (0-based, display order) of the list and waits until it is
# selected and the list holds the focus, so that keys reach the list.
row() {
  geometry
  click $((LEFT + 160)) $((TOP + 97 + 14 * $1))
  probe_until 5 "^$1"$'\t1' selected || fail "row $1 not selected by a click: $(probe selected)"
}

# prefs_id NAME: the id of the Settings control IDC_PREFS_NAME.
prefs_id() { awk -v n="IDC_PREFS_$1" '$2 == n { print $3 }' "$E2E_ROOT/src/win32/prefs/prefs_ids.h"; }

# reg_import NAME=VALUE...: stores the values (ASCII) all at once through regedit,
# much faster than one call per value. reg_seed NAME=VALUE...: a fresh store with them.
reg_import() {
  local file=$E2E_WORK/.import.reg pair value
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vornix\\Settings]\r\n'
    for pair in "$@"; do
      value=${pair#*=}
      value=${value//\\/\\\\}
      printf '"%s"="%s"\r\n' "${pair%%=*}" "${value//\"/\\\"}"
    done
  } >"$file"
  wine_run regedit /S "$(winpath "$file")" >/dev/null || fail "regedit import failed"
}
reg_seed() { reg_clear && reg_import "$@"; }

# ---------------------------------------------------------------- the application in front

# front_start NAME [MODIFIERS KEY]: "Front App" (cliphelper front), the application
# in front that reports what it receives; with MODIFIERS KEY it holds that hotkey.
front_start() {
  local name=$1
  shift
  rm -f "$E2E_WORK/$name".*
  (cd "$E2E_WORK" && exec "$WINE" "$E2E_EXE_DIR/cliphelper.exe" front "$(winpath "$E2E_WORK/$name.txt")" "$@" \
    >"$E2E_WORK/$name.log" 2>&1 </dev/null) &
  E2E_BACKGROUND_PIDS+=("$!")
  echo "$!" >"$E2E_WORK/$name.pid"
  wait_until 10 test -f "$E2E_WORK/$name.txt.ready" || fail "Front App did not start: $(cat "$E2E_WORK/$name.log")"
}
# front_stop NAME: returns once it has ended, so that a hotkey it held is free again.
front_stop() {
  touch "$E2E_WORK/$1.txt.stop"
  await 10 "Front App $1 did not end" bash -c '! kill -0 "$0" 2>/dev/null' "$(cat "$E2E_WORK/$1.pid")"
}
front_focus() { cliphelper focus >/dev/null || fail "Front App could not take the front"; }
received() { cat "$E2E_WORK/front.txt"; }
# wait_received TEXT [SECONDS]: Wine under Xvfb delivers about 30 typed characters a second.
wait_received() {
  wait_until "${2:-10}" bash -c '[ "$(cat "$0")" == "$1" ]' "$E2E_WORK/front.txt" "$1" ||
    fail "Front App received [$(received)], expected [$1]"
}
# The main window takes the front when it first shows, which may be after
# vornix_start returns: only then can Front App be put in front for good.
vornix_took_front() { probe_until 10 '^front.Vornix' front || fail "the main window did not come to the front"; }
# atoms_before NAME...; atoms_left NAME...: after quitting, no atom the program
# added may be left. Global atoms outlive a program that was killed: one an
# earlier test left in this Wine session is recorded before the start and not counted.
atoms_before() {
  ATOMS_HELD=
  local atom
  for atom in "$@"; do [ "$(probe atom "$atom")" = none ] || ATOMS_HELD+=" $atom"; done
}
atoms_left() {
  local atom
  for atom in "$@"; do
    [[ " $ATOMS_HELD " == *" $atom "* ]] || assert_eq none "$(probe atom "$atom")" "atom $atom after quitting"
  done
}
menu_shown() { probe menu >/dev/null 2>&1; }
menu_closed() { probe_until 5 '!.' menu || fail "$1"; }
# menu_open STROKES [X Y]: the hot-menu hotkey (with the pointer at X,Y) while
# Front App is in front; sets MENU_MS. Without a window manager Wine may hand the
# front to a window a moment late, which takes the focus from a menu just opened:
# such a try is made again. Returns 1 when the menu did not open in three tries.
menu_open() {
  local out try
  [ -z "${2:-}" ] || xdotool mousemove "$2" "$3"
  for try in 1 2 3; do
    front_focus
    if out=$(probe keys "$1" "Vornix Hot Menu"); then
      MENU_MS=$(echo "$out" | sed -n 's/^shown\t//p')
      # Still open once it holds the front: a late activation of Front App would have closed it.
      probe_until 3 '^front.Vornix Hot Menu' front && menu_shown && return 0
    fi
    echo "hot menu try $try: not open"
  done
  return 1
}

# shot NAME: screenshot of the whole display into the shots folder.
shot() {
  mkdir -p "$E2E_SHOTS"
  import -window root "$E2E_SHOTS/$E2E_NAME-$1.png" >/dev/null 2>&1 && echo "screenshot: $E2E_SHOTS/$E2E_NAME-$1.png" ||
    echo "screenshot $1 failed" >&2
}

# ---------------------------------------------------------------- set-up and end

e2e_on_error() {
  echo "FAIL [$E2E_NAME]: command failed (exit $2) at ${BASH_SOURCE[1]:-?}:$1: $3" >&2
}

# on_exit COMMAND: run at the end of the test, passed or failed (shared state put back).
E2E_ON_EXIT=()
on_exit() { E2E_ON_EXIT+=("$1"); }

e2e_finish() {
  local rc=$? hook
  set +e
  trap - ERR
  for hook in "${E2E_ON_EXIT[@]}"; do eval "$hook"; done
  if [ $rc -ne 0 ]; then
    shot failure
    [ -s "$E2E_WORK/vornix.log" ] && { echo "--- vornix.log (last lines)"; tail -20 "$E2E_WORK/vornix.log"; }
  fi
  vornix_kill
  local pid
  for pid in "${E2E_BACKGROUND_PIDS[@]}"; do kill -9 "$pid" 2>/dev/null; done
  if [ "$E2E_OWN_FIXTURE" = 1 ]; then
    VORNIX_E2E_STATE=$E2E_STATE_DIR bash "$E2E_LIB_DIR/fixture.sh" cleanup >/dev/null
  fi
  if [ $rc -eq 0 ]; then echo "PASS [$E2E_NAME]"; fi
  exit $rc
}

e2e_init() {
  if [ -z "${VORNIX_E2E_STATE:-}" ]; then
    # Run by hand: a fixture of our own.
    export VORNIX_E2E_STATE=$E2E_ROOT/build/e2e-manual
    export VORNIX_E2E_EXE_DIR=${VORNIX_E2E_EXE_DIR:-$E2E_ROOT/build/win64}
    E2E_OWN_FIXTURE=1
    bash "$E2E_LIB_DIR/fixture.sh" setup || exit 1
  fi
  E2E_STATE_DIR=$VORNIX_E2E_STATE
  [ -f "$E2E_STATE_DIR/state.env" ] || { echo "no e2e fixture at $E2E_STATE_DIR (run e2e_setup first)" >&2; exit 1; }
  # shellcheck disable=SC1091
  source "$E2E_STATE_DIR/state.env"
  export WINEPREFIX=$E2E_PREFIX DISPLAY=$E2E_DISPLAY
  # shellcheck disable=SC1090
  [ -z "${E2E_WINE_ENV:-}" ] || source "$E2E_WINE_ENV"
  E2E_SHOTS=${VORNIX_E2E_SHOTS:-$E2E_ROOT/build/native/e2e-shots}
  E2E_WORK=$E2E_STATE_DIR/work/$E2E_NAME
  rm -rf "$E2E_WORK"
  mkdir -p "$E2E_WORK"
  trap e2e_finish EXIT
  trap 'e2e_on_error $LINENO $? "$BASH_COMMAND"' ERR
  # A test killed by its timeout may have left its Vornix behind.
  if [ -f "$E2E_STATE_DIR/vornix.pid" ]; then
    kill -9 "$(cat "$E2E_STATE_DIR/vornix.pid")" 2>/dev/null || true
    rm -f "$E2E_STATE_DIR/vornix.pid"
  fi
  reg_clear
  clip_empty || true
  step "$E2E_NAME in $E2E_WORK"
}

e2e_init
