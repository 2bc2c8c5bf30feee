#!/usr/bin/env bash
# The on-screen display (green, red, gone after its time, silent for our own
# copies) and the start-up shortcut (on, off, a folder outside the code page);
# screenshots in English and German, with the German mini window and its menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

mini() { wine_run "$E2E_WIN64_DIR/minihelper.exe" "$@"; }
# A click on the list, so that keys reach the main window.
focus_list() {
  local id
  id=$(xdotool search --limit 1 --name "$E2E_WINDOW_REGEX")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + 160)) $((Y + 97)) click 1
  sleep 0.4
}
startup_link() { find "$WINEPREFIX/drive_c/users" -ipath '*/startup/vornix.lnk' 2>/dev/null | head -1; }
osd_shows() { [ "$(mini osd)" = "$1" ]; }
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

step "German: mini window, its menu and the display"
vornix_stop 20
reg_set LanguageAuto False
reg_set LanguageGerman True
vornix_start
mini command 1114
wait_until 10 bash -c '"$0" "$1" state | grep -q "^main=0 mini=1"' "$WINE" "$E2E_WIN64_DIR/minihelper.exe" ||
  fail "no mini mode"
sleep 0.5
shot german-mini-window
mini icon rightup
sleep 1
keys "down right"
sleep 0.5
shot german-tray-menu
keys "escape escape escape"
mini click list
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
