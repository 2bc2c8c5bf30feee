# Helpers for tests that drive the editor, its tool dialogs and export through
# dlgprobe (controls found by window title and id). Sourced after lib.sh.

# dlg COMMAND TITLE ID ...: dlgprobe; a window that is still being built gets
# two more tries before the command counts as failed.
dlg() {
  local try
  for try in 1 2 3; do
    if "$WINE" "$E2E_WIN64_DIR/dlgprobe.exe" "$@" >"$E2E_WORK/.dlg.out" 2>"$E2E_WORK/.dlg.err" </dev/null; then
      cat "$E2E_WORK/.dlg.out"
      return 0
    fi
    sleep 0.5
  done
  echo "dlgprobe $*: $(cat "$E2E_WORK/.dlg.err")" >&2
  return 1
}
EDITOR='Text Input'
# Control and command ids of the windows (src/win32/editor_ids.h).
TEXT=4100 PROTECT=4101 KEY=4103 OKCOPY=4104 OK=1
TB_NEW=1101 TB_EDIT=1108 MEN_EXPORT=1203
ED_EXPORT=4200 ED_REPLACE=4210 ED_SETCITE=4211 ED_DELCITE=4212 ED_REFORMATP=4213
ED_UPPERCASE=4218 ED_CONVESCAPE=4222 ED_SPECIAL=4229 ED_ASCII=4230
FIELD1=4301 FIELD2=4303 CASE=4304 SEL_ALL=4402 SAVE_DIR=4413

# editor_set TEXT: the edit box's text (printf escapes allowed).
editor_set() {
  printf %b "$1" >"$E2E_WORK/.text"
  dlg set "$EDITOR" $TEXT "$(winpath "$E2E_WORK/.text")" || fail "cannot set the editor's text"
}
editor_text() { dlg get "$EDITOR" $TEXT; }
# tool MENU-ID INPUT EXPECTED: runs a Tools item on INPUT and checks the result.
tool() {
  editor_set "$2"
  dlg cmd "$EDITOR" "$1"
  sleep 0.3
  assert_eq "$(printf %b "$3" | od -An -c)" "$(editor_text | od -An -c)" "text after tool $1"
}
wait_gone() {
  wait_until 10 bash -c '! "$0" "$1/dlgprobe.exe" get "$2" '"$OK"' >/dev/null 2>&1' "$WINE" "$E2E_WIN64_DIR" "$1" ||
    fail "window [$1] did not close"
}
# save_as PATH: answers the save-file dialog with PATH.
save_as() {
  wait_box '^Save'
  local title
  title=$(probe_boxes | grep '^Save' | head -1 | cut -f1)
  printf '%s' "$(winpath "$1")" >"$E2E_WORK/.name"
  dlg set "$title" 1148 "$(winpath "$E2E_WORK/.name")" 2>/dev/null ||
    dlg set "$title" 1152 "$(winpath "$E2E_WORK/.name")" || fail "no file name field in the save dialog"
  dlg click "$title" 1
  wait_until 10 bash -c '! "$0" "$1/probe.exe" boxes | grep -q "^Save"' "$WINE" "$E2E_WIN64_DIR" ||
    fail "the save dialog did not close"
}
open_new() {
  dlg cmd Vornix $TB_NEW
  wait_box "^$EDITOR"
}
