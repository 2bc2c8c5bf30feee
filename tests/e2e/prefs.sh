# Drives the Preferences dialog through the prefsctl helper; sourced after lib.sh.

PREFS_IDS=$E2E_ROOT/src/win32/prefs_ids.h
# id NAME: the control id of IDC_PREFS_NAME.
id() { awk -v n="IDC_PREFS_$1" '$2 == n { print $3 }' "$PREFS_IDS"; }
prefsctl() { wine_run "$E2E_WIN64_DIR/prefsctl.exe" "$@"; }
# ctl COMMAND NAME [ARG]: a prefsctl command on a control named as in prefs_ids.h.
ctl() { prefsctl "$1" "$(id "$2")" "${@:3}" || fail "prefsctl $*"; }

prefs_open() { prefsctl page >/dev/null 2>&1; }
open_prefs() {
  prefsctl open || fail "no main window to open Settings from"
  prefsctl wait >/dev/null || { shot no-prefs; fail "Settings did not open"; }
}
# close_prefs ID: presses OK (1) or Cancel (2) and waits for the dialog to go.
close_prefs() {
  prefsctl press "$1"
  wait_until 5 bash -c "! '$WINE' '$E2E_WIN64_DIR/prefsctl.exe' page" || fail "button $1 left the dialog open"
}
