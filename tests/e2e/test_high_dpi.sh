#!/usr/bin/env bash
# The main window and the Text Input box at 96 and at 144 DPI (Wine's LogPixels),
# in English and German: the same stored size in twips gives a window one and a
# half times as large at 144 DPI and is stored unchanged; screenshots of each.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

DPI_KEY='HKCU\Control Panel\Desktop'
had_dpi=$(wine_run reg query "$DPI_KEY" /v LogPixels 2>/dev/null | awk '/LogPixels/ { print $3 }' || true)

# The prefix is shared with the other tests: its DPI goes back to what it was.
restore_dpi_and_finish() {
  local rc=$?
  if [ -n "$had_dpi" ]; then
    wine_run reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$((had_dpi))" /f >/dev/null 2>&1
  else
    wine_run reg delete "$DPI_KEY" /v LogPixels /f >/dev/null 2>&1
  fi
  (exit $rc)
  e2e_finish
}
trap restore_dpi_and_finish EXIT

set_dpi() { wine_run reg add "$DPI_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null || fail "LogPixels $1"; }

# The outer size of the main window: X reports its client area and where it starts.
outer_size() {
  eval "$(xdotool getwindowgeometry --shell "$(xdotool search --limit 1 --name "$E2E_WINDOW_REGEX")")"
  echo "$((WIDTH + 2 * X))x$((HEIGHT + Y + X))"
}

seed() {
  reg_clear
  {
    echo "EntryCount=1"
    echo "Entry0=Twips keep their inches"
    echo "EntryDate0=3/1/2026 9:30:00 AM"
    echo "EntryQuant0=2"
    echo "QuestionQuit=0"
    echo "winLeft=0"
    echo "winTop=0"
    echo "winWidth=7500"
    echo "winHeight=6000"
    echo "LanguageAuto=False"
    echo "Language$1=True"
  } | reg_import
}

# Enter on the selected entry opens it in the Text Input box.
text_input_shot() {
  keys "home"
  keys "enter"
  wait_box '^(Text Input|Texteingabe)'
  sleep 0.4
  shot "$1"
  keys "escape"
  wait_until 5 bash -c "! probe boxes | grep -Eq '^(Text Input|Texteingabe)'" || fail "the Text Input box did not close"
}

for dpi in 96 144; do
  for language in English German; do
    step "$dpi DPI, $language"
    set_dpi "$dpi"
    seed "$language"
    vornix_start
    sleep 0.8
    want=$((500 * dpi / 96))x$((400 * dpi / 96))
    assert_eq "$want" "$(outer_size)" "window size at $dpi DPI"
    shot "$dpi-${language,,}-main"

    if [ "$dpi/$language" = 96/English ] || [ "$dpi/$language" = 144/German ]; then
      text_input_shot "$dpi-${language,,}-text-input"
    fi
    vornix_stop
    assert_eq "7500/6000" "$(reg_get winWidth)/$(reg_get winHeight)" "stored size at $dpi DPI"
  done
done
