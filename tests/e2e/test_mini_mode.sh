#!/usr/bin/env bash
# Mini mode and its icon, the icon's popup menu, the on-screen display and the
# start-up shortcut; screenshots in English and German.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

mini() { wine_run "$E2E_WIN64_DIR/minihelper.exe" "$@"; }
# wait_state REGEX: waits until "main=.. mini=.. left top width height" matches.
wait_state() {
  wait_until 10 bash -c '"$0" "$1" state | tr -d "\r" | grep -Eq -- "$2"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" "$1" ||
    fail "state never matched /$1/; it is [$(mini state)]"
}
# A click on the list, so that keys reach the main window.
focus_list() {
  local id
  id=$(xdotool search --limit 1 --name "$E2E_WINDOW_REGEX")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + 160)) $((Y + 97)) click 1
  sleep 0.4
}
open_tray_menu() {
  mini icon rightup
  sleep 1
}
startup_link() { find "$WINEPREFIX/drive_c/users" -ipath '*/startup/vornix.lnk' 2>/dev/null | head -1; }
rows_are() { [ "$(list_rows | wc -l)" = "$1" ]; }
has_startup_link() { [ -n "$(startup_link)" ]; }
no_startup_link() { [ -z "$(startup_link)" ]; }

rm -f "$(startup_link)"
{
  echo "QuestionQuit=0"
  echo "ProtocolMode=1"
  echo "OSD=1"
  echo "OSDSec=4"
  echo "OSDRows=2"
  echo "LimitSizeKB=1"
  echo "StartAutostart=1"
} | reg_import

step "autostart on: a shortcut to the exe in the Startup folder"
vornix_start
wait_until 10 has_startup_link || fail "no Vornix.lnk in a Startup folder"
link=$(startup_link)
assert_eq "$(winpath "$E2E_WORK/Vornix.exe")"$'\t'"$(winpath "$E2E_WORK")" "$(mini lnk "$(winpath "$link")")" "shortcut"

step "a new copy shows the display, green, and it goes after its time"
clip_set "first text"
sleep 0.5
clip_set "https://example.org/x"
sleep 0.5
clip_set $'second text\r\nwith a second line\r\nand a third'
osd_shows() { [ "$(mini osd)" = "$1" ]; }
wait_until 4 osd_shows $'1\tsecond text\\nwith a second line' || fail "display: [$(mini osd)]"
shot english-osd-green
wait_until 10 rows_are 3 || fail "three copies were not filed"
wait_until 8 bash -c '"$0" "$1" osd | grep -q "^0"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" || fail "the display stayed"
clip_set_repeat x 2000
wait_until 5 bash -c '"$0" "$1" osd | grep -q "^1"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" || fail "no display in red"
shot english-osd-red
sleep 0.5
assert_eq 3 "$(list_rows | wc -l)" "rows after the text over the limit"

step "copy back is not displayed"
wait_until 8 bash -c '"$0" "$1" osd | grep -q "^0"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" || fail "the display stayed"
focus_list
keys ctrl+c
sleep 1
assert_match '^0' "$(mini osd)" "display after copy back"

step "Esc hides the main window, shows the mini window and the icon"
focus_list
keys esc
wait_state '^main=0 mini=1 '
assert_eq 1 "$(mini hasicon)" "icon"
sleep 0.5
shot english-mini-window

step "the list button brings the main window back and the icon goes"
mini click list
wait_state '^main=1 mini=0 '
assert_eq 0 "$(mini hasicon)" "icon after leaving"

step "the toolbar button enters mini mode, the icon's double-click leaves it"
mini command 1114
wait_state '^main=0 mini=1 '
mini icon dblclick
wait_state '^main=1 mini=0 '

step "an icon lost with Explorer comes back"
mini command 1114
wait_state '^main=0 mini=1 '
mini losticon
sleep 0.5
assert_eq 1 "$(mini hasicon)" "icon after TaskbarCreated"

step "the entry submenu lists the entries; a pick copies that entry"
open_tray_menu
keys down
keys right
sleep 0.5
shot english-tray-menu
keys down
keys enter
sleep 1
assert_eq "first text" "$(clip_get)" "clipboard after the pick"
assert_eq 3 "$(list_rows | wc -l)" "rows after the pick"

step "the record-mode item switches capture off and on"
open_tray_menu
keys "down down down down enter"
sleep 0.5
clip_set "copied while off"
sleep 1
list_texts | grep -qx "copied while off" && fail "a copy made with record mode off was filed"
open_tray_menu
keys "down down down down enter"
sleep 0.5
clip_set "copied while on"
wait_until 10 bash -c '"$0" "$1" list | grep -q "copied while on"' "$WINE" "$E2E_WIN64_DIR/probe.exe" ||
  fail "record mode did not come back"

step "the mini window's position survives a restart; StartMiniMode starts in mini mode"
mini move 300 200
sleep 0.3
vornix_stop 20
reg_set StartMiniMode 1
vornix_start
wait_state '^main=0 mini=1 300 200 '
vornix_stop 20

step "German"
reg_set LanguageAuto False
reg_set LanguageGerman True
vornix_start
wait_state '^main=0 mini=1 '
sleep 0.5
shot german-mini-window
open_tray_menu
keys down
keys right
sleep 0.5
shot german-tray-menu
keys escape
keys escape
keys escape
sleep 0.3
clip_set "ein neuer Text"
wait_until 5 bash -c '"$0" "$1" osd | grep -q "^1"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" || fail "no display"
shot german-osd-green
clip_set_repeat y 2000
sleep 1
shot german-osd-red

step "autostart off: the shortcut is gone"
vornix_stop 20
reg_set StartAutostart 0
vornix_start
wait_state '^main=0 mini=1 '
wait_until 10 no_startup_link || fail "the shortcut is still there"
vornix_stop 20

step "a program folder outside the 8-bit code page"
dir="$E2E_WORK/Ωmega дом"
mkdir -p "$dir"
cp "$E2E_WIN64_DIR/Vornix.exe" "$dir/"
reg_set StartAutostart 1
(cd "$dir" && exec "$WINE" Vornix.exe >>"$E2E_WORK/vornix.log" 2>&1 </dev/null) &
VORNIX_PID=$!
wait_until 10 has_startup_link || fail "no shortcut for a program in $dir"
assert_eq "$(winpath "$dir/Vornix.exe")"$'\t'"$(winpath "$dir")" "$(mini lnk "$(winpath "$(startup_link)")")" "shortcut"
vornix_stop 20
