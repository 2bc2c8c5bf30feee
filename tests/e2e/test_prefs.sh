#!/usr/bin/env bash
# File > Settings: one option changed on each page and confirmed with OK takes
# effect and is stored at quit; a restart shows the new values.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/prefs.sh"
source "$(dirname "$0")/quick.sh"

printf '%s\n' QuestionQuit=0 LanguageAuto=False LanguageGerman=True LanguageEnglish=False HotmenuBol=True | reg_import
front_start front
vornix_start

step "one option on each page, then OK"
open_prefs
ctl click CHKPROTOCOL                      # General: record mode
ctl settext TXTOSDROWS 5                   # Display
ctl click CHKHOVERSELECTION                # Lists
ctl focus TXTHOTMENU >/dev/null            # Keyboard: hot menu on K with Shift added
ctl settext TXTHOTMENU k
assert_eq K "$(prefsctl text "$(id TXTHOTMENU)")" "letter box"
ctl click CHKHOTMENUSHIFT
ctl click CHKTEXTKEY                       # Text blocks: key 1
printf 'Grüße\r\n€ → ✓' >"$E2E_WORK/block.txt"
ctl settextfile RTBKEY "$(winpath "$E2E_WORK/block.txt")"
ctl click OPTLANGUAGEENGLISH               # Language
ctl slider SLILIMITSIZE 512                # Miscellaneous
assert_eq "512 KB" "$(prefsctl text "$(id LABLIMITSIZE)")" "size label"
close_prefs 1
reg_has ProtocolMode && fail "OK wrote the store before any save"

step "record mode is on: a copied text is filed"
clip_set "filed after OK"
wait_until 10 bash -c "'$WINE' '$E2E_WIN64_DIR/probe.exe' list | grep -q 'filed after OK'" ||
  fail "record mode did not start; list: $(probe_list)"

step "the hot menu answers its new hotkey, and no longer the old one"
menu_open_with() {
  frontapp focus >/dev/null
  sleep 0.3
  frontapp press "$1" "Vornix Hot Menu" >/dev/null 2>&1
}
menu_open_with ctrl+alt+shift+k || menu_open_with ctrl+alt+shift+k || fail "Alt+Ctrl+Shift+K did not open the hot menu"
probe keys esc >/dev/null
wait_until 3 bash -c '! "$0" "$1" menu' "$WINE" "$E2E_WIN64_DIR/frontapp.exe" || fail "Esc did not close the menu"
menu_open_with ctrl+alt+v && fail "Alt+Ctrl+V still opens the hot menu"
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
assert_eq 1 "$(prefsctl checked "$(id CHKPROTOCOL)")" "record mode box"
assert_eq 5 "$(prefsctl text "$(id TXTOSDROWS)")" "display lines"
assert_eq 1 "$(prefsctl checked "$(id CHKHOVERSELECTION)")" "hover box"
assert_eq K "$(prefsctl text "$(id TXTHOTMENU)")" "hot menu letter"
assert_eq 1 "$(prefsctl checked "$(id CHKHOTMENUSHIFT)")" "hot menu Shift"
assert_eq 'Grüße\r\n€ → ✓' "$(prefsctl text "$(id RTBKEY)")" "text block 1"
assert_eq 1 "$(prefsctl checked "$(id OPTLANGUAGEENGLISH)")" "English"
assert_eq "512 KB" "$(prefsctl text "$(id LABLIMITSIZE)")" "size limit"
close_prefs 2
vornix_stop
