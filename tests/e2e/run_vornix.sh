#!/usr/bin/env bash
# `make run`: starts Vornix.exe under Wine for a person to try, on $DISPLAY when
# there is one, otherwise on a private Xvfb display. A screenshot is taken a few
# seconds after start. RUN_SECONDS=n closes the program after n seconds.
#   run_vornix.sh <Vornix.exe>
set -euo pipefail

exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"

export WINEPREFIX=${VORNIX_WINEPREFIX:-$HOME/.vornix-wine}
shot=$(dirname "$exe")/vornix-run.png
log=$(dirname "$exe")/vornix-run.log
probe=$(dirname "$exe")/probe.exe
xvfb_pid=
vornix_pid=

finish() {
  set +e
  if [ -n "$vornix_pid" ] && kill -0 "$vornix_pid" 2>/dev/null; then
    disown "$vornix_pid" 2>/dev/null
    if [ -f "$probe" ]; then
      "$WINE" "$probe" close >/dev/null 2>&1 </dev/null
      sleep 1
      # The quit question, when the options ask for it.
      "$WINE" "$probe" press OK >/dev/null 2>&1 </dev/null
      for _ in $(seq 1 50); do kill -0 "$vornix_pid" 2>/dev/null || break; sleep 0.1; done
    fi
    kill -9 "$vornix_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    wine_env_stop "$WINEPREFIX" "$xvfb_pid"
    echo "stopped Wine and the private display"
  fi
}
trap finish EXIT
trap 'exit 130' INT TERM

if [ -n "${DISPLAY:-}" ]; then
  echo "Showing Vornix on DISPLAY=$DISPLAY"
else
  wine_env_start_xvfb "$(dirname "$exe")/vornix-run-xvfb.log"
  export DISPLAY=$XVFB_DISPLAY
  xvfb_pid=$XVFB_PID
  echo "No DISPLAY is set: running Vornix on a private Xvfb display $DISPLAY"
  echo "(look at it with screenshots: DISPLAY=$DISPLAY import -window root shot.png)"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX (5 to 15 s, once)"
  "$WINE" wineboot -i >"$log" 2>&1 </dev/null
fi

echo "Starting $exe under $WINE (its output goes to $log)"
"$WINE" "$exe" >>"$log" 2>&1 </dev/null &
vornix_pid=$!
echo "A screenshot will be saved to $shot in 5 s"
sleep 5
if import -window root "$shot" 2>/dev/null; then echo "screenshot: $shot"; else echo "screenshot failed"; fi

if [ -n "${RUN_SECONDS:-}" ]; then
  echo "Closing Vornix after $RUN_SECONDS s"
  for _ in $(seq 1 "$((RUN_SECONDS * 10))"); do kill -0 "$vornix_pid" 2>/dev/null || break; sleep 0.1; done
  exit 0
fi
echo "Vornix runs until it is closed (or Ctrl+C here)"
status=0
wait "$vornix_pid" || status=$?
vornix_pid=
echo "Vornix ended with exit code $status"
