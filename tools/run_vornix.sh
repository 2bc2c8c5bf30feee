#!/usr/bin/env bash
# `make run`: starts Vornix.exe under Wine for a person to try, on $DISPLAY when
# there is one, otherwise on a private Xvfb display; a screenshot is taken 5 s
# after the start. RUN_SECONDS=n closes the program after n seconds.
#   run_vornix.sh <Vornix.exe>
set -euo pipefail

exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
dir=$(dirname "$exe")
# shellcheck source=../tests/e2e/wine_env.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/wine_env.sh"
export WINEPREFIX=${VORNIX_WINEPREFIX:-$HOME/.vornix-wine}
xvfb_pid= vornix_pid=

running() { [ -n "$vornix_pid" ] && kill -0 "$vornix_pid" 2>/dev/null; }
# Closed as by the user (the quit question answered), killed only when it stays.
finish() {
  set +e
  if running && [ -f "$dir/probe.exe" ]; then
    "$WINE" "$dir/probe.exe" close >/dev/null 2>&1 </dev/null
    sleep 1
    "$WINE" "$dir/probe.exe" press OK >/dev/null 2>&1 </dev/null
    for _ in $(seq 1 50); do running && sleep 0.1; done
  fi
  running && kill -9 "$vornix_pid"
  [ -z "$xvfb_pid" ] || { wine_env_stop "$WINEPREFIX" "$xvfb_pid"; echo "stopped Wine and the private display"; }
}
trap finish EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
  wine_env_start_xvfb "$dir/vornix-run-xvfb.log"
  export DISPLAY=$XVFB_DISPLAY
  xvfb_pid=$XVFB_PID
  echo "No DISPLAY is set: Vornix runs on a private Xvfb display $DISPLAY (DISPLAY=$DISPLAY import -window root shot.png)"
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "Creating the Wine prefix $WINEPREFIX (once)"; "$WINE" wineboot -i >"$dir/vornix-run.log" 2>&1 </dev/null; }

echo "Starting $exe on $DISPLAY (its output goes to $dir/vornix-run.log)"
"$WINE" "$exe" >>"$dir/vornix-run.log" 2>&1 </dev/null &
vornix_pid=$!
sleep 5
import -window root "$dir/vornix-run.png" 2>/dev/null && echo "screenshot: $dir/vornix-run.png" || echo "screenshot failed"
if [ -n "${RUN_SECONDS:-}" ]; then
  for _ in $(seq 1 "$((RUN_SECONDS * 10))"); do running && sleep 0.1; done
  exit 0
fi
echo "Vornix runs until it is closed (or Ctrl+C here)"
status=0
wait "$vornix_pid" || status=$?
vornix_pid=
echo "Vornix ended with exit code $status"
