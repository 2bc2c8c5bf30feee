#!/usr/bin/env bash
# The start-up shortcut (on, for a program folder outside the code page; off), the
# on-screen display (green, red, gone after its time, silent for our own copies),
# mini mode entered and left by each route, its notification-area icon and the
# icon's popup menu, record mode from the menu, the mini window's position across
# a restart and StartMiniMode; screenshots in English and German.
source "$(dirname "$0")/lib.sh"

startup_link() { find "$WINEPREFIX/drive_c/users" -ipath '*/startup/vornix.lnk' 2>/dev/null | head -1; }
has_startup_link() { [ -n "$(startup_link)" ]; }
no_startup_link() { [ -z "$(startup_link)" ]; }
osd_shows() { probe_until 10 "$1" osd || fail "$2; display: [$(probe osd)]"; }
popups_are() { probe_until 5 "^$1\$" popups || fail "$2"; }
# tray_menu: opens the icon's popup menu; menu_keys KEYS: keys that close it.
tray_menu() {
  probe icon rightup
  popups_are 1 "the icon's menu did not open"
}
menu_keys() {
  keys "$1"
  popups_are 0 "the menu did not close after [$1]"
  probe title >/dev/null  # the program has handled the pick
}

rm -f "$(startup_link)"
reg_seed QuestionQuit=0 ProtocolMode=1 OSD=1 OSDSec=2 OSDRows=2 LimitSizeKB=1 StartAutostart=1

step "autostart on, from a program folder outside the 8-bit code page: a shortcut in the Startup folder"
dir="$E2E_WORK/Ωmega дом"
mkdir -p "$dir"
cp "$E2E_EXE_DIR/Vornix.exe" "$dir/"
# A viewer behind Vornix sees a change once Vornix has handled it.
viewer_start behind
vornix_start "$dir"
await 10 "no Vornix.lnk in a Startup folder" has_startup_link
assert_eq "$(winpath "$dir/Vornix.exe")"$'\t'"$(winpath "$dir")" "$(probe lnk "$(winpath "$(startup_link)")")" "shortcut"

step "three copies filed; a new copy shows the display, green, and it goes after its time"
clip_set "first text"
wait_status "first text"
clip_set "https://example.org/x"
wait_status "https://example.org/x"
clip_set $'second text\r\nwith a second line\r\nand a third'
# The display goes after two seconds: too soon for the emulated probes to see it.
if full_run; then
  # Two lines shown, and a sign that a third follows.
  osd_shows $'^1\tsecond text\\\\nwith a second line\xe2\x80\xa6$' "no green display"
  shot english-osd-green
  await 10 "three copies were not filed" rows_are 3
  # Line breaks in the list's Content column are drawn as blanks.
  shot english-list-multiline
  osd_shows '^0' "the display stayed"
  clip_set_repeat x 2000
  # Only the beginning of a text over the limit is read: the display marks the cut.
  osd_shows $'^1\tx+\xe2\x80\xa6$' "no display in red"
  shot english-osd-red
  assert_eq 3 "$(list_rows | wc -l)" "rows after the text over the limit"
  # Export, like every dialog of the program, hides the display.
  probe cmd main 1203 >/dev/null
  wait_box '^Export text'
  osd_shows '^0' "the display stayed over the export dialog"
  press Cancel
  box_gone '^Export text'

  step "copy back is not displayed"
  osd_shows '^0' "the display stayed"
  first=$(list_texts | sed -n 1p)
  row 0
  keys ctrl+c
  wait_status "${first%%\\r*}"  # its first line
  assert_match '^0' "$(probe osd)" "display after copy back"
else
  await 10 "three copies were not filed" rows_are 3
fi

step "Esc hides the main window, shows the mini window and the icon"
keys esc
mini_state '^main=0 mini=1 '
assert_eq 1 "$(probe hasicon)" "icon"
shot english-mini-window
keycheck english
# The keys start on the first button; Alt with the box's access key switches "in front".
probe_until 5 $'^3001\t' focused || fail "the mini window opened with the keys on [$(probe focused)]"
before=$(probe checked mini 3004)
keys alt+f
probe_until 5 "^$((1 - before))\$" checked mini 3004 || fail "Alt+F did not switch the in-front box"
keys alt+f
probe_until 5 "^$before\$" checked mini 3004 || fail "Alt+F did not switch the in-front box back"

step "the list button brings the main window back and the icon goes"
probe cmd mini 3003  # IDC_MINI_LIST
mini_state '^main=1 mini=0 '
assert_eq 0 "$(probe hasicon)" "icon after leaving"

step "the toolbar button enters mini mode, the icon's double-click leaves it"
probe cmd main 1114
mini_state '^main=0 mini=1 '
probe icon dblclick
mini_state '^main=1 mini=0 '

step "an icon lost with Explorer comes back"
probe cmd main 1114
mini_state '^main=0 mini=1 '
probe losticon
probe_until 5 '^1' hasicon || fail "no icon after TaskbarCreated"

step "an entry submenu lists the entries; a pick copies that entry"
clip_set_repeat z 2000  # over the size limit: not filed, and not what the pick puts there
tray_menu
keys "down down right"
popups_are 2 "the entry submenu did not open"
shot english-tray-menu
menu_keys "enter"
wait_until 5 clip_is "https://example.org/x" || fail "clipboard after the pick: [$(clip_get)]"
assert_eq 3 "$(list_rows | wc -l)" "rows after the pick"
full_run || { vornix_stop 20; exit 0; }

step "the record-mode item switches capture off and on"
tray_menu
menu_keys "down down down down enter"
seen=$(cat "$E2E_WORK/behind.draws")
clip_set "copied while off"
viewer_saw behind $((seen + 1))
list_texts | grep -qx "copied while off" && fail "a copy made with record mode off was filed"
tray_menu
menu_keys "down down down down enter"
clip_set "copied while on"
await 10 "record mode did not come back" shows '^copied while on$' list_texts
vornix_stop 20

step "German: the mini window moved, its menu and the display"
reg_import LanguageAuto=False LanguageGerman=True
vornix_start
probe cmd main 1114
mini_state '^main=0 mini=1 '
probe move 300 200
mini_state '^main=0 mini=1 300 200 '
shot german-mini-window
keycheck german
before=$(probe checked mini 3004)
keys alt+r
probe_until 5 "^$((1 - before))\$" checked mini 3004 || fail "Alt+R did not switch the vorne box"
keys alt+r
tray_menu
keys "down right"
popups_are 2 "the entry submenu did not open"
shot german-tray-menu
menu_keys "escape escape escape"
probe cmd mini 3003
mini_state '^main=1 mini=0 '
# A line longer than the screen is wide goes on in the display's second line.
long="ein neuer Text, $(printf 'der weiter und weiter geht %.0s' 1 2 3 4)bis hier"
clip_set "$long"
osd_shows $'^1\tein neuer Text, der[^\\\\]+\\\\n[^\\\\]+bis hier$' "the long line was not wrapped"
shot german-osd-green
vornix_stop 20

step "autostart off: the shortcut is gone; StartMiniMode starts in mini mode where it was"
reg_import StartAutostart=0 StartMiniMode=1
vornix_start
await 10 "the shortcut is still there" no_startup_link
mini_state '^main=0 mini=1 300 200 '
vornix_stop 20
