#!/usr/bin/env bash
# The harness itself: the clipboard helper plays another program correctly
# (ANSI code page texts, line breaks, long texts, the viewer chain).
source "$(dirname "$0")/lib.sh"

step "CF_TEXT round trip in code page 1252"
text='Grüße aus Köln: äöü ÄÖÜ ß € 5°'
clip_set "$text"
assert_eq "$text" "$(clip_get)" "CF_TEXT read back"
assert_eq "$text" "$(clip_get_unicode)" "the system's Unicode view of CF_TEXT"
printf '%s' "$text" | iconv -f UTF-8 -t CP1252 >"$E2E_WORK/expected.bin"
"$WINE" "$E2E_EXE_DIR/cliphelper.exe" get >"$E2E_WORK/actual.bin" </dev/null
cmp "$E2E_WORK/expected.bin" "$E2E_WORK/actual.bin" || fail "CF_TEXT bytes are not code page 1252"
printf 'zwei\r\nZeilen\r\n' >"$E2E_WORK/lines.txt"
clip_set_bytes "$E2E_WORK/lines.txt"
clip_get >"$E2E_WORK/lines.out"
cmp "$E2E_WORK/lines.txt" "$E2E_WORK/lines.out" || fail "line breaks changed: $(od -c "$E2E_WORK/lines.out")"

step "long texts"
clip_set_repeat x 200000
assert_eq 200000 "$(clip_get | wc -c)" "length of a long text"

step "empty clipboard"
clip_empty
if clip_get >/dev/null; then fail "clip_get should fail on an empty clipboard"; fi

step "viewer chain: three viewers, the middle one leaves"
# Chain after joining: c -> b -> a. Each viewer passes WM_DRAWCLIPBOARD on.
viewer_start a
clip_set "one"
viewer_start b
viewer_start c
viewer_stop b   # c gets WM_CHANGECBCHAIN and must link to a from now on
clip_set "two"
viewer_stop c
viewer_stop a
# The message on joining arrives inside SetClipboardViewer, before a viewer knows
# its next one, so it goes no further (as with any viewer written the usual way).
# a: join, "one", "two" (through c once b has left); b: join; c: join, "two".
assert_eq 3 "$(viewer_draws a)" "WM_DRAWCLIPBOARD seen by a"
assert_eq 1 "$(viewer_draws b)" "WM_DRAWCLIPBOARD seen by b"
assert_eq 2 "$(viewer_draws c)" "WM_DRAWCLIPBOARD seen by c"
assert_eq 1 "$(viewer_chain_changes c)" "WM_CHANGECBCHAIN seen by c"
