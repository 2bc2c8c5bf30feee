#!/usr/bin/env bash
# The help menu's bug report and about box: both open from the menu; the report
# describes the running program and goes onto the clipboard; the about box shows
# its texts and credits, answers the system information button, is dragged by
# any point and closes with a click on its icon; in German its keys start on OK.
# E-Mail with every option filled hands the report over by the clipboard (the
# shell cannot take a link that long) and Vornix keeps running.
source "$(dirname "$0")/lib.sh"

start_in() {
  reg_seed QuestionQuit=0 LanguageAuto=False "Language$1=True" "${@:2}"
  vornix_start
  vornix_took_front
}
report_copied() { clip_get | grep -q "Your Bug-Report"; }

# help_menu N: opens the N-th item (1-based) of the last menu with the keyboard.
help_menu() { keys "f10 right right down$(printf ' down%.0s' $(seq 2 "$1")) enter"; }

# Sets X and Y to the top-left corner of the about box's client area.
corner() {
  geometry "$1"
  X=$LEFT Y=$TOP
}

step "English: the bug report from the menu"
# Every option away from its default, and long names where the report shows them.
start_in English DblClickEdit=False DblClickClip=True DblClickHyperURL=1 DblClickHyperEMail=1 AutoSizeList=0 \
  HoverSelection=1 RegSave=True ProtocolQuant=False ProtocolDate=True QuestionClipOpen=1 Hotkey=K Hotedit=J \
  HotkeyBol=True HoteditBol=True HotmenuBol=True TextkeyBol=True HotkeyMOD=11 HoteditMOD=7 HotmenuMOD=13 \
  TextHotkeyMOD=14 StartAutostart=0 MiniWindow=0 Opacity=45 OSD=1 OSDAlign=1 OSDRows=9 OSDSec=29 LimitSize=0 \
  LimitSizeKB=768 LimitKeystroke=2000 LimitKeystrokeQuestion=0 Hotmenu=M HotmenuClipboard=0 HotmenuKeystroke=1 \
  'CiteChar=> ' "ImportFile=C:\\Users\\Somebody With A Long Name\\Documents\\$(printf 'folder%.0s\\' $(seq 1 12))notes.txt" \
  "ExportFile=C:\\Users\\Somebody With A Long Name\\Desktop\\$(printf 'export%.0s\\' $(seq 1 12))all.txt"
help_menu 2
wait_box '^Bug report.You can describe the bug here'
shot english-bug-report
press Copy
await 5 "Copy put no report on the clipboard" report_copied
report=$(clip_get)
assert_contains "$report" "Your Bug-Report / Ihre Fehlermeldung:" "report"
assert_contains "$report" $'Version:\tVornix (1.0.0)' "report"
assert_contains "$report" $'Platform:\tWindows NT/2000/XP' "report"
assert_contains "$report" "LanguageEnglish: True" "report"
assert_contains "$report" "EntryCount: 0" "report"
press Cancel
box_gone 'Bug report'

step "English: E-Mail with every option filled takes the clipboard path and Vornix keeps running"
clip_empty
help_menu 2
wait_box '^Bug report.You can describe the bug here'
press E-Mail
wait_box 'too long for an e-mail link. It is on the clipboard'
shot english-bug-report-mail
press OK
box_gone 'too long for an e-mail link'
box_gone '^Bug report'
await 5 "E-Mail put no report on the clipboard" report_copied
assert_contains "$(clip_get)" "ExportFile: C:\\Users\\Somebody With A Long Name" "mailed report"
sleep 1
vornix_running || fail "Vornix ended after E-Mail"
probe_until 10 '^front.Vornix' front || fail "the main window is not in front after E-Mail"

step "English: the about box from the menu"
help_menu 3
wait_box '^Info about Vornix.*Vornix.Version 1\.0\.0.Utility to file'
probe_until 5 $'^1\t&OK$' focused || fail "the about box opened with the keys on [$(probe focused)], not on OK"

step "dragged by a point of its text"
corner 'Info about Vornix'
x0=$X y0=$Y
xdotool mousemove $((x0 + 200)) $((y0 + 80))
sleep 0.2
xdotool mousedown 1
sleep 0.2
for d in 10 20 30 40 50 60; do xdotool mousemove $((x0 + 200 + d)) $((y0 + 80 + d / 2)); sleep 0.1; done
sleep 0.2
xdotool mouseup 1
# The first step of the mouse starts the move; the window follows the rest.
moved() {
  corner 'Info about Vornix'
  [ $((X - x0)) -ge 40 ] && [ $((X - x0)) -le 60 ] && [ $((Y - y0)) -ge 20 ] && [ $((Y - y0)) -le 30 ]
}
wait_until 5 moved || fail "the about box moved from $x0,$y0 to $X,$Y instead of about 50,25 to the lower right"

step "system information: a clear message when the program is missing"
press "Systeminfo..."
wait_box 'Systeminformationen sind momentan nicht verf'
shot english-no-system-information
keys "enter"
box_gone 'Systeminformationen'
probe_until 5 '^front.Info about' front || fail "the about box is not active again"

step "a click on the icon closes it"
xdotool mousemove $((X + 30)) $((Y + 30)) click 1
box_gone 'Info about'
vornix_stop

step "German: the about box's keys start on OK, so Space closes it"
start_in German
help_menu 3
wait_box '^Info zu Vornix.*Hilfsmittel zur Ablage'
keys space
box_gone 'Info zu'
assert_eq "" "$(probe boxes)" "boxes after Space in the about box"
vornix_stop
