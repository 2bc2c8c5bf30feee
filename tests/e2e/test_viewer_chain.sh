#!/usr/bin/env bash
# Other clipboard viewers joining and leaving around Vornix never break the chain.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/entries.sh"

reg_set ProtocolMode 1
reg_set QuestionQuit 0

step "a viewer before Vornix, one after it"
viewer_start before
vornix_start
viewer_start after
clip_set "one"
wait_status "one"

step "the viewer after Vornix leaves"
viewer_stop after
clip_set "two"
wait_status "two"

step "Vornix's own next viewer leaves"
viewer_stop before
clip_set "three"
wait_status "three"
texts=$(list_texts)
for t in one two three; do echo "$texts" | grep -qx "$t" || fail "$t not captured: $texts"; done
# The viewer behind Vornix got its join message and both texts passed on by Vornix.
assert_eq 3 "$(viewer_draws before)" "WM_DRAWCLIPBOARD passed on to the next viewer"

step "a viewer that joins after Vornix left the chain"
vornix_stop
viewer_start late
clip_set "four"
viewer_stop late
assert_eq 2 "$(viewer_draws late)" "the chain after Vornix quit"
