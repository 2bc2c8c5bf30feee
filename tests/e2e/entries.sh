# Helpers for tests that work on the stored entry list. Sourced after lib.sh.

# reg_import: reads "Name=Value" lines (ASCII values) from stdin and stores them
# all at once through regedit, much faster than one reg.exe call per value.
reg_import() {
  local file=$E2E_WORK/.import.reg line name value
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Vornix\\Settings]\r\n'
    while IFS= read -r line; do
      name=${line%%=*}
      value=${line#*=}
      value=${value//\\/\\\\}
      value=${value//\"/\\\"}
      printf '"%s"="%s"\r\n' "$name" "$value"
    done
  } >"$file"
  wine_run regedit /S "$(winpath "$file")" >/dev/null || fail "regedit import failed"
}

# The list rows as "check<TAB>counter<TAB>content<TAB>type<TAB>date<TAB>datekey<TAB>countkey".
list_rows() { probe_list; }
# Only the contents, in display order.
list_texts() { probe_list | cut -f3; }

# wait_status TEXT: waits until the status bar shows TEXT (the clipboard display).
wait_status() {
  wait_until "${2:-10}" bash -c "'$WINE' '$E2E_WIN64_DIR/probe.exe' status 2>/dev/null | tr -d '\r' | grep -qF -- \"\$0\"" "$1" ||
    fail "status bar never showed [$1]; it shows [$(probe_status)]"
}

# Geometry of the visible main window: LEFT TOP RIGHT.
geometry() {
  local id
  id=$(xdotool search --limit 1 --name "$E2E_WINDOW_REGEX")
  eval "$(xdotool getwindowgeometry --shell "$id")"
  LEFT=$X TOP=$Y RIGHT=$((X + WIDTH))
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
# row N: clicks row N (0-based, display order) of the list.
row() {
  geometry
  click $((LEFT + 160)) $((TOP + 97 + 14 * $1))
}
