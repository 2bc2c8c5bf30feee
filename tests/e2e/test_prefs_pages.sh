#!/usr/bin/env bash
# Every page of Settings in German and in English, each entered by focusing one
# of its controls (the dialog turns to the page that holds the focus); Ctrl+Tab
# and Ctrl+Shift+Tab turn the pages round.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"
source "$(dirname "$0")/prefs.sh"

shoot_pages() {
  local lang=$1 page=0 first
  for first in CHKPROTOCOL CHKOSD OPTDBLCLICKEDIT CHKHOTKEY CHKTEXTKEY OPTLANGUAGEAUTO OPTBEHAVIOURREGSAVEEACH; do
    assert_eq "$page" "$(ctl focus "$first")" "page entered by focus on $first"
    sleep 0.2
    shot "$lang-page$page"
    page=$((page + 1))
  done
}

for lang in de en; do
  step "pages in $lang"
  reg_clear
  german=True english=False
  [ "$lang" = en ] && german=False english=True
  # Record mode shows its hint; the display's fields are enabled.
  printf '%s\n' QuestionQuit=0 LanguageAuto=False LanguageGerman=$german LanguageEnglish=$english \
    ProtocolMode=1 OSD=1 TextkeyBol=True HoteditBol=True HotmenuBol=True | reg_import
  vornix_start
  open_prefs
  shoot_pages "$lang"
  if [ "$lang" = de ]; then
    keys ctrl+tab
    wait_until 3 bash -c "[ \"\$('$WINE' '$E2E_WIN64_DIR/prefsctl.exe' page | tr -d '\r')\" = 0 ]" ||
      fail "Ctrl+Tab did not turn from the last page to the first"
    keys ctrl+shift+tab
    wait_until 3 bash -c "[ \"\$('$WINE' '$E2E_WIN64_DIR/prefsctl.exe' page | tr -d '\r')\" = 6 ]" ||
      fail "Ctrl+Shift+Tab did not turn back to the last page"
  fi
  close_prefs 2
  vornix_stop
done
