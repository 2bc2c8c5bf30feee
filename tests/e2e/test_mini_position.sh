#!/usr/bin/env bash
# The mini window's position survives a restart, and StartMiniMode starts in mini mode.
source "$(dirname "$0")/lib.sh"

# state_is REGEX: the "main=.. mini=.. left top width height" line matches.
state_is() { wine_run "$E2E_WIN64_DIR/minihelper.exe" state | grep -Eq -- "$1"; }

reg_set QuestionQuit 0
vornix_start
wine_run "$E2E_WIN64_DIR/minihelper.exe" command 1114
wait_until 10 state_is '^main=0 mini=1 ' || fail "no mini mode"
wine_run "$E2E_WIN64_DIR/minihelper.exe" move 300 200
sleep 0.3
vornix_stop 20
reg_set StartMiniMode 1
vornix_start
wait_until 10 state_is '^main=0 mini=1 300 200 ' ||
  fail "not in mini mode at 300 200: $(wine_run "$E2E_WIN64_DIR/minihelper.exe" state)"
vornix_stop 20
