# Shared functions of the end-to-end tests. A test script starts with
#
#   #!/usr/bin/env bash
#   source "$(dirname "$0")/lib.sh"
#
# and then drives Vornix.exe (the x86_64 build) under Wine: every test gets a
# fresh folder with its own copy of the exe (so side files land there), an empty
# Vornix registry key and an empty clipboard. Under CTest the Wine prefix and the
# X display come from the fixture (fixture.sh); run by hand (bash test_x.sh) the
# script sets up a private one and removes it at the end.
#
# Texts passed to and returned by these functions are UTF-8; the clipboard
# helpers convert to and from the ANSI code page (1252 here).
#
# Waiting: prefer cheap signals (window title, status bar, registry, files) with
# wait_until. Reading the list (probe list) reads the program's memory, which
# briefly freezes it under Wine: do it once after the action, not in a tight loop.

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

step() { echo "--- $*"; }

fail() {
  echo "FAIL [$E2E_NAME]: $*" >&2
  exit 1
}

assert_eq() {
  local expected=$1 actual=$2 what=${3:-value}
  [ "$expected" == "$actual" ] && return 0
  fail "$what: expected [$expected], got [$actual]"
}

assert_contains() {
  local haystack=$1 needle=$2 what=${3:-output}
  [[ "$haystack" == *"$needle"* ]] && return 0
  fail "$what does not contain [$needle]; it is: [$haystack]"
}

assert_not_contains() {
  local haystack=$1 needle=$2 what=${3:-output}
  [[ "$haystack" != *"$needle"* ]] && return 0
  fail "$what contains [$needle]; it is: [$haystack]"
}

assert_match() {
  local regex=$1 actual=$2 what=${3:-value}
  [[ "$actual" =~ $regex ]] && return 0
  fail "$what does not match /$regex/: [$actual]"
}

assert_file_exists() { [ -f "$1" ] || fail "missing file $1"; }
assert_no_file() { [ ! -e "$1" ] || fail "file should not exist: $1"; }

# wait_until SECONDS COMMAND...: runs COMMAND every quarter second until it succeeds.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.25
  done
}

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

cliphelper() { wine_run "$E2E_WIN64_DIR/cliphelper.exe" "$@"; }
probe() { wine_run "$E2E_WIN64_DIR/probe.exe" "$@"; }

# ---------------------------------------------------------------- clipboard

# clip_set TEXT: puts TEXT (UTF-8) on the clipboard as CF_TEXT in code page 1252.
clip_set() {
  local file=$E2E_WORK/.clip_set.txt
  printf '%s' "$1" | iconv -f UTF-8 -t CP1252 >"$file" || fail "clip_set: not representable in code page 1252: $1"
  cliphelper setfile "$(winpath "$file")"
}

# clip_set_unicode TEXT [MARKER]: a Unicode program copies TEXT (UTF-8 here), as
# CF_UNICODETEXT only, optionally with a privacy marker (exclude, ignore,
# nohistory, history: see cliphelper).
clip_set_unicode() {
  local file=$E2E_WORK/.clip_setw.txt
  printf '%s' "$1" >"$file"
  cliphelper setw "$(winpath "$file")" ${2:+"$2"}
}

# clip_set_bytes FILE: puts the file's bytes on the clipboard as they are.
clip_set_bytes() { cliphelper setfile "$(winpath "$1")"; }

# clip_set_repeat CHAR COUNT: a long text of COUNT times CHAR (ASCII).
clip_set_repeat() { cliphelper setrepeat "$1" "$2"; }

# clip_get: the CF_TEXT content as UTF-8; fails when the clipboard holds no text.
clip_get() {
  wine_run_raw "$E2E_WIN64_DIR/cliphelper.exe" get | iconv -f CP1252 -t UTF-8
  return "${PIPESTATUS[0]}"
}

# clip_get_unicode: CF_UNICODETEXT as UTF-8 (the system's conversion of CF_TEXT).
clip_get_unicode() { wine_run_raw "$E2E_WIN64_DIR/cliphelper.exe" getw; }

clip_empty() { cliphelper empty; }

# clip_hold MS: another program keeps the clipboard open for MS milliseconds;
# returns once it is open. clip_hold_wait waits for it to let go.
clip_hold() {
  local out=$E2E_WORK/.clip_hold.out
  rm -f "$out"
  "$WINE" "$E2E_WIN64_DIR/cliphelper.exe" hold "$1" >"$out" 2>&1 </dev/null &
  E2E_HOLD_PID=$!
  E2E_BACKGROUND_PIDS+=("$E2E_HOLD_PID")
  wait_until 10 grep -q open "$out" || fail "clip_hold: the clipboard did not open"
}
clip_hold_wait() { wait "$E2E_HOLD_PID" || true; }

# viewer_start NAME [SECONDS]: another clipboard viewer joins the chain (in front
# of those already in it); returns once it is in.
viewer_start() {
  local name=$1 seconds=${2:-100}
  rm -f "$E2E_WORK/$name".{ready,stop,out}
  (cd "$E2E_WORK" && exec "$WINE" "$E2E_WIN64_DIR/cliphelper.exe" viewer "$seconds" "$name" \
    >"$E2E_WORK/$name.out" 2>&1 </dev/null) &
  eval "E2E_VIEWER_PID_$name=$!"
  E2E_BACKGROUND_PIDS+=("$!")
  wait_until 10 test -f "$E2E_WORK/$name.ready" || fail "viewer $name did not join the chain"
}

# viewer_stop NAME: the viewer leaves the chain and ends.
viewer_stop() {
  local name=$1 pid_var="E2E_VIEWER_PID_$1"
  touch "$E2E_WORK/$name.stop"
  wait "${!pid_var}" || fail "viewer $name failed: $(cat "$E2E_WORK/$name.out")"
}

# WM_DRAWCLIPBOARD messages a stopped viewer got, the one on joining included.
viewer_draws() { tr -d '\r' <"$E2E_WORK/$1.out" | sed -n 1p; }
# WM_CHANGECBCHAIN messages a stopped viewer got.
viewer_chain_changes() { tr -d '\r' <"$E2E_WORK/$1.out" | sed -n 2p; }

# ---------------------------------------------------------------- registry

E2E_KEY='HKCU\Software\Vornix\Settings'

# reg_set NAME VALUE: a REG_SZ value, set before Vornix starts.
reg_set() {
  local name=$1 value=$2 LC_ALL=C
  if [[ "$value" =~ ^[A-Za-z0-9\ ._:,\;+=@#\(\)-]*$ ]]; then
    wine_run reg add "$E2E_KEY" /v "$name" /t REG_SZ /d "$value" /f >/dev/null || fail "reg add $name failed"
  else
    # Anything that command-line quoting or the console could change (non-ASCII,
    # line breaks, quotes, backslashes, a leading slash): byte-exact through a UTF-8 file.
    local file=$E2E_WORK/.reg_set.txt
    printf '%s' "$value" >"$file"
    probe regset "$name" "$(winpath "$file")" || fail "regset $name failed"
  fi
}

reg_set_dword() { wine_run reg add "$E2E_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null || fail "reg add $1 failed"; }

# reg_get NAME: the stored text exactly (line breaks kept); fails when absent.
reg_get() { wine_run_raw "$E2E_WIN64_DIR/probe.exe" regget "$1"; }

reg_has() { "$WINE" "$E2E_WIN64_DIR/probe.exe" regget "$1" >/dev/null 2>&1 </dev/null; }

reg_delete() { wine_run reg delete "$E2E_KEY" /v "$1" /f >/dev/null; }

# reg_names: the value names under the Vornix settings key, one a line.
reg_names() { probe reglist; }

# reg_clear: removes everything Vornix stored.
reg_clear() { wine_run reg delete 'HKCU\Software\Vornix' /f >/dev/null 2>&1 || true; }

# reg_dump: reg.exe's listing of the key, for a failure message.
reg_dump() { wine_run reg query "$E2E_KEY" || true; }

# ---------------------------------------------------------------- the program

E2E_WINDOW_REGEX='^Vornix'

# vornix_start [--no-wait]: starts Vornix.exe from this test's folder and waits
# (20 s at most) for its window.
vornix_start() {
  [ -z "$VORNIX_PID" ] || fail "vornix_start: Vornix is already running"
  cp "${VORNIX_EXE:-$E2E_WIN64_DIR/Vornix.exe}" "$E2E_WORK/Vornix.exe"
  (cd "$E2E_WORK" && exec "$WINE" Vornix.exe >>"$E2E_WORK/vornix.log" 2>&1 </dev/null) &
  VORNIX_PID=$!
  echo "$VORNIX_PID" >"$E2E_STATE_DIR/vornix.pid"
  [ "${1:-}" = --no-wait ] && return 0
  vornix_wait_window
}

# vornix_wait_window [REGEX] [SECONDS]: waits for a window whose title matches.
vornix_wait_window() {
  local regex=${1:-$E2E_WINDOW_REGEX} seconds=${2:-20}
  local deadline=$((SECONDS + seconds))
  until xdotool search --limit 1 --name "$regex" >/dev/null 2>&1; do
    if [ -n "$VORNIX_PID" ] && ! kill -0 "$VORNIX_PID" 2>/dev/null; then
      fail "Vornix ended before a window /$regex/ appeared"
    fi
    [ "$SECONDS" -lt "$deadline" ] || { shot no-window; fail "no window /$regex/ after $seconds s"; }
    sleep 0.1
  done
}

vornix_running() { [ -n "$VORNIX_PID" ] && kill -0 "$VORNIX_PID" 2>/dev/null; }

# vornix_wait_exit [SECONDS]: waits for the program to end by itself; sets VORNIX_EXIT.
# Allow for about 2 s more when it had a tray icon (Wine waits for a window manager).
vornix_wait_exit() {
  local seconds=${1:-15}
  local deadline=$((SECONDS + seconds))
  while kill -0 "$VORNIX_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  VORNIX_EXIT=0
  wait "$VORNIX_PID" || VORNIX_EXIT=$?
  VORNIX_PID=
  rm -f "$E2E_STATE_DIR/vornix.pid"
}

# vornix_close: asks the main window to close (WM_CLOSE) and returns at once.
vornix_close() { probe close >/dev/null || fail "vornix_close: no Vornix window"; }

# vornix_stop [SECONDS]: closes the program and waits for its end; a program
# that is still there after SECONDS is killed and the test fails.
vornix_stop() {
  local seconds=${1:-15}
  vornix_running || fail "vornix_stop: Vornix is not running"
  vornix_close
  if ! vornix_wait_exit "$seconds"; then
    shot not-closed
    local boxes
    boxes=$(probe boxes || true)
    vornix_kill
    fail "Vornix did not end within $seconds s after WM_CLOSE${boxes:+; boxes open: $boxes}"
  fi
}

vornix_kill() {
  [ -n "$VORNIX_PID" ] || return 0
  kill -9 "$VORNIX_PID" 2>/dev/null || true
  wait "$VORNIX_PID" 2>/dev/null || true
  VORNIX_PID=
  rm -f "$E2E_STATE_DIR/vornix.pid"
}

# The list rows: check box state (1, 0 or -) and then each column, tab-separated;
# tabs, CR, LF and backslashes inside texts appear as \t \r \n \\.
probe_list() { probe list "$@"; }
probe_status() { probe status; }
probe_title() { probe title; }
# One line per open message box or dialog: title, then its texts, tab-separated.
probe_boxes() { probe boxes; }

# press BUTTON: clicks a button (by its text, & ignored) of an open box.
press() { probe press "$1" >/dev/null || fail "press: no open box has a button [$1]; boxes: $(probe boxes)"; }

# wait_box REGEX [SECONDS]: waits until an open box's line (title and texts) matches.
wait_box() {
  local regex=$1 seconds=${2:-10}
  local deadline=$((SECONDS + seconds))
  until probe boxes | grep -Eq -- "$regex"; do
    [ "$SECONDS" -lt "$deadline" ] || { shot no-box; fail "no box /$regex/ after $seconds s"; }
    sleep 0.25
  done
}

# keys STROKES: keystrokes through SendInput, e.g. "ctrl+alt+c" or "ctrl+a delete".
keys() { probe keys "$1" >/dev/null || fail "keys $1 failed"; }
type_text() { probe type "$1" >/dev/null || fail "type_text failed"; }

# shot NAME: screenshot of the whole display into the shots folder.
shot() {
  mkdir -p "$E2E_SHOTS"
  local file=$E2E_SHOTS/$E2E_NAME-$1.png
  if import -window root "$file" >/dev/null 2>&1; then
    echo "screenshot: $file"
  else
    echo "screenshot $1 failed" >&2
  fi
}

# ---------------------------------------------------------------- set-up and end

e2e_on_error() {
  echo "FAIL [$E2E_NAME]: command failed (exit $2) at ${BASH_SOURCE[1]:-?}:$1: $3" >&2
}

e2e_finish() {
  local rc=$?
  set +e
  trap - ERR
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
    export VORNIX_WIN64_DIR=${VORNIX_WIN64_DIR:-$E2E_ROOT/build/win64}
    E2E_OWN_FIXTURE=1
    bash "$E2E_LIB_DIR/fixture.sh" setup || exit 1
  fi
  E2E_STATE_DIR=$VORNIX_E2E_STATE
  [ -f "$E2E_STATE_DIR/state.env" ] || { echo "no e2e fixture at $E2E_STATE_DIR (run e2e_setup first)" >&2; exit 1; }
  # shellcheck disable=SC1091
  source "$E2E_STATE_DIR/state.env"
  export WINEPREFIX=$E2E_PREFIX DISPLAY=$E2E_DISPLAY
  E2E_WIN64_DIR=$E2E_WIN64_DIR
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
