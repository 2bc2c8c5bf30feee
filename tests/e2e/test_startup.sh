#!/usr/bin/env bash
# Start-up, the single instance, the quit question, a stored value that does not
# convert; the two languages at 96 and at 144 DPI (Wine's LogPixels): the same
# stored size in twips gives a window one and a half times as large at 144 DPI
# and is stored unchanged; Enter opens the Text Input box. Every caption reads
# whole: in each language and DPI every dialog box and Settings page is opened and
# probe's fit measures its static texts, buttons, check boxes and option buttons
# against their captions in the dialog's font; all cut captions are listed before
# the test fails. At 96 DPI every open window is also checked for access keys that
# two captions share and for text of the other language, and pictured.
source "$(dirname "$0")/lib.sh"

QUIT_BOX=$'^Security question\tQuit Vornix\\?$'

step "first start: the main window in the system's language (English here)"
vornix_start
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "window title"
assert_contains "$(probe status)" "Clipboard:" "status bar"
shot english-auto

step "a second start shows the box and ends; the first keeps running"
(cd "$E2E_WORK" && exec "$WINE" Vornix.exe >>"$E2E_WORK/second.log" 2>&1 </dev/null) &
second=$!
E2E_BACKGROUND_PIDS+=("$second")
wait_box $'^Vornix\tVornix already running!\\\\r\\\\nVornix läuft schon!$'
shot already-running
press OK
await 10 "the second copy did not end" bash -c "! kill -0 $second"
vornix_running || fail "the first copy ended too"
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "first window still there"

step "QuestionQuit 1 (default): Cancel keeps the program running, OK quits"
vornix_close
wait_box "$QUIT_BOX"
press Cancel
box_gone "$QUIT_BOX"
# The program has gone back to its messages: a quit would have taken the window.
assert_eq "Vornix (version 1.0.0)" "$(probe title)" "window after Cancel"
vornix_running || fail "Cancel ended the program"
vornix_close
wait_box "$QUIT_BOX"
press OK
vornix_wait_exit 15 || fail "OK did not end the program"

if full_run; then
  step "a stored value that does not convert does not take the program down"
  reg_import QuestionQuit=abc winLeft=abc
  vornix_start
  wait_box $'^Comment\tVornix \\(version 1.0.0\\) - Load:'
  press OK
  vornix_close
  wait_box "$QUIT_BOX"
  press OK
  vornix_wait_exit 15 || fail "did not end"
fi

size_is() { geometry && [ "${WIDTH}x$HEIGHT" = "$1" ]; }

# Command and control ids (src/win32/common/resource.h, editor/editor_ids.h, prefs/prefs_ids.h).
TB_NEW=1101 MEN_EXPORT=1203 MEN_SETTINGS=1204 MEN_BUG=1222 MEN_ABOUT=1223
ED_REPLACE=4210 ED_SETCITE=4211 ED_SPECIAL=4229 ED_ASCII=4230
EX_SAVEDIR=4413 DIR_MAKE=4503 OK=1 CANCEL=2

boxes_are() { [ "$(probe boxes | wc -l)" -eq "$1" ]; }
# front: the title of the front dialog box.
front() { probe boxes 2>/dev/null | head -1 | cut -f1 || true; }
# then_boxes N WHAT: waits until N boxes are open after WHAT was asked for.
then_boxes() { wait_until 10 boxes_are "$1" || { shot no-box; fail "$2: $(probe boxes | cut -f1 | tr '\n' '|')"; }; }
CUT=$E2E_WORK/cut.txt
: >"$CUT"
# fit WHAT: measures the captions of the open boxes (inside the program, in the
# controls' own fonts); a cut one is noted, the walk goes on. At 96 DPI the access
# keys and the language first, in the same probe start.
fit() {
  local out check=()
  if [ "$dpi" = 96 ]; then
    shot "$dpi-${language,,}-${1// /-}"
    check=(keycheck "${language,,}" then)
  fi
  out=$(probe "${check[@]}" fit) && return 0
  if grep -Eq '^(collision|other language) ' <<<"$out"; then shot keycheck; fail "the open windows at $at $1:"$'\n'"$out"; fi
  grep -q '^CUT' <<<"$out" || fail "fit failed at $at $1: $out"
  grep '^CUT' <<<"$out" | sed "s/^/$at $1\t/" >>"$CUT"
}
# close_front N: Esc on the front box, then N boxes stay open.
close_front() { keys escape && then_boxes "$1" "Esc did not close [$(front)]"; }
close_all() {
  local try
  for try in 1 2 3 4; do
    boxes_are 0 && return 0
    # Wine may refuse keys while a box closes and another takes the front: try again.
    probe keys escape >/dev/null || true
    sleep 0.5
  done
  then_boxes 0 "boxes stayed open"
}

# walk: opens every dialog box and Settings page, one over another where they open so.
walk() {
  probe cmd main $TB_NEW >/dev/null && then_boxes 1 "the editor did not open"
  editor=$(front)
  fit editor
  for tool in $ED_REPLACE $ED_SETCITE $ED_SPECIAL $ED_ASCII; do
    probe cmd "$editor" $tool >/dev/null && then_boxes 2 "tool $tool did not open"
    fit "tool $tool"
    close_front 1
  done
  close_front 0

  probe cmd main $MEN_EXPORT >/dev/null && then_boxes 1 "export did not open"
  fit export
  export=$(front)
  probe push "$export" $EX_SAVEDIR then push "$export" $OK >/dev/null && then_boxes 2 "the folder choice did not open"
  fit folder
  probe push "$(front)" $DIR_MAKE >/dev/null && then_boxes 3 "the new folder box did not open"
  fit "new folder"
  close_front 2
  close_all

  probe cmd main $MEN_BUG >/dev/null && then_boxes 1 "the bug report did not open"
  fit "bug report"
  close_front 0
  probe cmd main $MEN_ABOUT >/dev/null && then_boxes 1 "the about box did not open"
  fit "about box"
  probe push "$(front)" $OK >/dev/null && then_boxes 0 "the about box stayed open"

  probe cmd main $MEN_SETTINGS >/dev/null && then_boxes 1 "Settings did not open"
  page=0
  for first in CHKPROTOCOL CHKOSD OPTDBLCLICKEDIT CHKHOTKEY CHKTEXTKEY OPTLANGUAGEAUTO OPTBEHAVIOURREGSAVEEACH; do
    assert_eq "$page" "$(probe focus prefs "$(prefs_id "$first")")" "page entered by focus on $first"
    fit "Settings page $page"
    page=$((page + 1))
  done
  probe push prefs $CANCEL >/dev/null && then_boxes 0 "Settings stayed open"
}

for dpi in 96 $(full_run && echo 144); do
  for language in English German; do
    step "$dpi DPI, $language; QuestionQuit 0: a close request ends the program without a question"
    use_dpi "$dpi"
    at="$dpi DPI $language"
    # Every option that shows or enables more controls is on.
    reg_seed EntryCount=1 "Entry0=Twips keep their inches" "EntryDate0=3/1/2026 9:30:00 AM" EntryQuant0=2 \
      QuestionQuit=0 winLeft=0 winTop=0 winWidth=7500 winHeight=6000 LanguageAuto=False "Language$language=True" \
      TextkeyBol=True ProtocolMode=1 HotmenuBol=True HoteditBol=True OSD=1 "ExportDir=$(winpath "$E2E_WORK")\\"
    vornix_start
    title="Vornix (version 1.0.0)"
    [ "$language" = German ] && title="Vornix (Version 1.0.0)"
    assert_eq "$title" "$(probe title)" "title in $language"
    want=$((500 * dpi / 96))x$((400 * dpi / 96))
    await 5 "window size at $dpi DPI is not $want" size_is "$want"
    shot "$dpi-${language,,}-main"
    if [ "$dpi/$language" = 96/English ] || [ "$dpi/$language" = 144/German ]; then
      # Enter on the selected entry opens it in the Text Input box.
      probe_until 5 $'\t1$' selected || fail "the list does not hold the focus"
      keys home
      keys enter
      wait_box '^(Text Input|Texteingabe)'
      shot "$dpi-${language,,}-text-input"
      keys escape
      box_gone '^(Text Input|Texteingabe)'
      mini_state '^main=1 mini=0 '  # Esc closed the box only
    fi
    if full_run; then walk; fi
    vornix_stop
    assert_eq "7500/6000" "$(reg_get winWidth)/$(reg_get winHeight)" "stored size at $dpi DPI"
  done
done

if [ -s "$CUT" ]; then
  # A box under another one is measured again with it: each cut caption once.
  awk -F'\t' '{ split($1, at, " ") } !seen[at[1] at[3] FS $3 FS $4 FS $5]++' "$CUT" >"$CUT.once"
  cat "$CUT.once"
  fail "$(wc -l <"$CUT.once") captions do not fit their controls"
fi
