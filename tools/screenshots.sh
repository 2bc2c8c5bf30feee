#!/usr/bin/env bash
# `make screenshots`: pictures of the real program under Wine for the README, in
# English and German: the main window, the hot menu over another program, the
# editor with its Tools menu open and the Settings dialog. Each picture is the
# display cut to what is on it (the display is black around the windows), in 64
# colours, so that they stay small in the repository.
#   screenshots.sh [output folder]    (default docs/screenshots)
source "$(dirname "$0")/../tests/e2e/lib.sh"

out=${1:-$E2E_ROOT/docs/screenshots}
mkdir -p "$out"
TB_EDIT=1108 MEN_PREFS=1204

# picture NAME [NOT-SIZE]: the display, trimmed to its windows, into the output
# folder, once two looks in a row are the same (a window may still be drawing);
# with NOT-SIZE (WxH), only once the windows cover another area (a dialog that
# fades in is not on the display at once).
picture() {
  local raw=$E2E_WORK/$1.raw.png try last= now
  for try in $(seq 1 40); do
    import -window root "$raw"
    convert "$raw" -trim +repage "$raw"
    now=$(convert "$raw" rgb:- | md5sum)
    if [ -z "${2:-}" ] || [ "$(identify -format '%wx%h' "$raw")" != "$2" ]; then
      [ "$now" = "$last" ] && break
      last=$now
    fi
    sleep 0.25
  done
  convert "$raw" -colors 64 -strip "PNG8:$out/$1.png"
  echo "$out/$1.png: $(identify -format '%wx%h' "$out/$1.png"), $(stat -c %s "$out/$1.png") bytes"
}

seed() {
  reg_seed EntryCount=6 QuestionQuit=0 HotmenuBol=True HotmenuKeystroke=1 HotmenuClipboard=1 ProtocolMode=1 \
    LanguageAuto=False "Language$1=True" winLeft=600 winTop=600 winWidth=9000 winHeight=4200 \
    "Entry0=Meeting moved to Thursday, 10:30, room 4.12" "EntryDate0=3/2/2026 9:12:40 AM" EntryQuant0=3 \
    "Entry1=https://www.vornix.example/download" "EntryDate1=3/2/2026 9:40:02 AM" EntryQuant1=1 \
    "Entry2=support@vornix.example" "EntryDate2=3/2/2026 10:05:51 AM" EntryQuant2=2 \
    "Entry3=Kind regards, Anna Berger" "EntryDate3=3/2/2026 11:21:17 AM" EntryQuant3=7 EntrySel3=True \
    "Entry4=Order no. 2026-0481: 3 x A4 paper, 1 x toner" "EntryDate4=3/2/2026 1:48:09 PM" EntryQuant4=1 \
    "EntryDate5=3/2/2026 2:02:33 PM" EntryQuant5=1
  # Beyond the code page: byte-exact, not through the registry import.
  reg_set Entry5 "Grüße aus Köln – Ελληνικά – 5 €"
}

for lang in English German; do
  suffix=en
  tools=alt+t
  [ "$lang" = English ] || { suffix=de; tools=alt+w; }
  step "$lang"
  seed "$lang"
  clip_set "Meeting moved to Thursday, 10:30, room 4.12"
  vornix_start
  vornix_took_front
  row 1
  picture "main-$suffix"

  # "Text Input", "Texteingabe"
  probe cmd main $TB_EDIT then until 10 . shown Text >/dev/null || fail "the editor did not open"
  keys "$tools"
  probe_until 5 '^[1-9]' popups || fail "the Tools menu did not open"
  picture "editor-$suffix"
  keys "escape escape"
  probe_until 5 '^0' popups || true
  probe push Text 2 >/dev/null
  probe_until 10 '!.' shown Text || fail "the editor did not close"

  probe cmd main $MEN_PREFS >/dev/null
  probe_until 10 . shown prefs || fail "Settings did not open"
  picture "prefs-$suffix" "$(identify -format '%wx%h' "$out/main-$suffix.png")"
  probe press "$([ "$lang" = English ] && echo Cancel || echo Abbrechen)" >/dev/null
  probe_until 10 '!.' shown prefs || fail "Settings did not close"

  front_start front
  menu_open ctrl+alt+v 300 200 || fail "the hot menu did not open"
  picture "hotmenu-$suffix"
  keys escape
  menu_closed "the hot menu stayed open"
  front_stop front
  vornix_stop
done
ls -la "$out"
