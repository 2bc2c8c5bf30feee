#!/usr/bin/env bash
# File > Settings: Cancel changes nothing; a bad number is refused on its field and
# keeps the dialog open; one option changed on each page and confirmed with OK takes
# effect and is stored at quit only; a restart shows the new values; the save
# button writes the store at once. Ctrl+Tab and Ctrl+Shift+Tab turn the pages
# round. (Every page in both languages: test_startup.sh.)
source "$(dirname "$0")/lib.sh"

# ctl COMMAND NAME [ARG] [then COMMAND NAME [ARG]...]: probe commands on controls of the
# dialog, named as in prefs_ids.h, in one start.
ctl() {
  local args=()
  while [ $# -gt 0 ]; do
    args+=("$1" prefs "$(prefs_id "$2")")
    shift 2
    while [ $# -gt 0 ] && [ "$1" != then ]; do args+=("$1") && shift; done
    [ $# -eq 0 ] || { args+=(then) && shift; }
  done
  probe "${args[@]}" || fail "probe ${args[*]} on Settings failed"
}
prefs_open() { probe shown prefs >/dev/null; }
page_is() { probe_until 5 "^$1\$" page prefs || fail "$2"; }
open_prefs() {
  probe cmd main 1204 >/dev/null || fail "no main window to open Settings from"  # File > Settings
  probe_until 10 . shown prefs || fail "Settings did not open"
}
# close_prefs ID: presses OK (1) or Cancel (2) and waits for the dialog to go.
close_prefs() { probe push prefs "$1" then until 10 '!.' shown prefs >/dev/null || fail "button $1 left the dialog open"; }

# The display's fields are enabled; the hot menu and the hot edit key are on.
reg_seed QuestionQuit=0 LanguageAuto=False LanguageGerman=True LanguageEnglish=False HotmenuBol=True OSD=1 \
  HoteditBol=True
vornix_start

step "Cancel changes nothing"
open_prefs
ctl click CHKQUESTIONQUIT then set TXTOSDROWS 9
close_prefs 2

step "a bad number is refused on its field"
open_prefs
ctl set TXTOSDROWS abc
probe push prefs 1 >/dev/null
wait_box '"abc"'
shot bad-number
press OK
box_gone '"abc"'
prefs_open || fail "the dialog closed after a bad number"
assert_eq 1 "$(probe page prefs)" "page of the bad field"
ctl set TXTOSDROWS 5

step "one option on each page"
# General: record mode (shows its hint); Lists; Keyboard: hot menu on K with Shift added.
ctl click CHKPROTOCOL then click CHKHOVERSELECTION then focus TXTHOTMENU then set TXTHOTMENU k >/dev/null
assert_eq K "$(ctl get TXTHOTMENU)" "letter box"
# Text blocks: key 1; Language; Miscellaneous.
printf 'Grüße\r\n€ → ✓' >"$E2E_WORK/block.txt"
ctl click CHKHOTMENUSHIFT then click CHKTEXTKEY then setfile RTBKEY "$(winpath "$E2E_WORK/block.txt")" \
  then click OPTLANGUAGEENGLISH then slider SLILIMITSIZE 512
assert_eq "512 KB" "$(ctl get LABLIMITSIZE)" "size label"

step "Ctrl+Tab and Ctrl+Shift+Tab turn the pages round"
assert_eq 6 "$(ctl focus OPTBEHAVIOURREGSAVEEACH)" "the last page"
shot de-last-page
keys ctrl+tab
page_is 0 "Ctrl+Tab did not turn from the last page to the first"
keys ctrl+shift+tab
page_is 6 "Ctrl+Shift+Tab did not turn back to the last page"

step "OK: nothing stored yet, record mode is on"
close_prefs 1
reg_has ProtocolMode && fail "OK wrote the store before any save"
clip_set "filed after OK"
wait_until 10 shows '^filed after OK$' list_texts || fail "record mode did not start; list: $(list_texts)"

step "the hot menu answers its new hotkey, and no longer the old one"
front_start front
menu_open ctrl+alt+shift+k || fail "Alt+Ctrl+Shift+K did not open the hot menu"
keys esc
menu_closed "Esc did not close the menu"
front_focus
probe keys ctrl+alt+v "Vornix Hot Menu" >/dev/null 2>&1 && fail "Alt+Ctrl+V still opens the hot menu"
front_stop front
vornix_stop

step "stored values"
for kv in ProtocolMode=1 OSDRows=5 HoverSelection=1 Hotmenu=K HotmenuBol=True HotmenuMOD=7 TextkeyBol=True \
  LanguageEnglish=True LanguageGerman=False LanguageAuto=False LimitSizeKB=512 QuestionQuit=0; do
  assert_eq "${kv#*=}" "$(reg_get "${kv%%=*}")" "${kv%%=*}"
done
assert_eq "$(printf 'Grüße\r\n€ → ✓')" "$(reg_get Textkey1)" "text block 1"

step "a restart shows the changed values, in English"
vornix_start
open_prefs
assert_eq $'1\n1\n1\n1' "$(ctl checked CHKPROTOCOL then checked CHKHOVERSELECTION then checked CHKHOTMENUSHIFT \
  then checked OPTLANGUAGEENGLISH)" "record mode, hover, Shift and English boxes"
assert_eq 5 "$(ctl get TXTOSDROWS)" "display lines"
assert_eq K "$(ctl get TXTHOTMENU)" "hot menu letter"
assert_eq "$(printf 'Grüße\r\n€ → ✓')" "$(probe_raw get prefs "$(prefs_id RTBKEY)")" "text block 1"
assert_eq "512 KB" "$(ctl get LABLIMITSIZE)" "size limit"

step "the save button writes at once and keeps the dialog open"
ctl click CHKAUTOSIZE
ctl push SAVE
await 5 "save wrote nothing" reg_has AutoSizeList
assert_eq 0 "$(reg_get AutoSizeList)" "AutoSizeList after save"
prefs_open || fail "the save button closed the dialog"
shot en-after-save
close_prefs 2
vornix_stop
