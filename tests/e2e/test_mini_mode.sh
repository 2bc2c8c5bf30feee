#!/usr/bin/env bash
# Mini mode: entering and leaving it by each route, its notification-area icon
# and the icon's popup menu, record mode from the menu; screenshots in English
# (the German ones: test_on_screen_display).
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
rows_are() { [ "$(list_rows | wc -l)" = "$1" ]; }

{
  echo "QuestionQuit=0"
  echo "ProtocolMode=1"
} | reg_import

vornix_start
clip_set "first text"
sleep 0.5
clip_set "https://example.org/x"
sleep 0.5
clip_set "second text"
wait_until 10 rows_are 3 || fail "three copies were not filed"

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
