#!/usr/bin/env bash
# One Wine prefix and one private X display for a whole end-to-end run.
#   fixture.sh setup    creates them and writes $VORNIX_E2E_STATE/state.env
#   fixture.sh cleanup  stops them and removes the prefix (kept with VORNIX_E2E_KEEP=1)
# Needs VORNIX_E2E_STATE (a folder of the build) and, for setup, VORNIX_E2E_EXE_DIR
# (the build folder with Vornix.exe and the helpers). VORNIX_E2E_BITS=32 runs the
# i686 build under the emulated 32-bit Wine (wine32_setup.sh) instead of wine64.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=wine_env.sh
source "$here/wine_env.sh"
wine_env_fixed_locale

state_dir=${VORNIX_E2E_STATE:?VORNIX_E2E_STATE is not set}
state_file=$state_dir/state.env

stop_previous() {
  [ -f "$state_file" ] || return 0
  # shellcheck disable=SC1090
  (source "$state_file" && wine_env_stop "$E2E_PREFIX" "$E2E_XVFB_PID")
  rm -f "$state_file"
}

setup() {
  local exe_dir=${VORNIX_E2E_EXE_DIR:?VORNIX_E2E_EXE_DIR is not set} started=$SECONDS wine_env=
  [ -f "$exe_dir/cliphelper.exe" ] || { echo "missing $exe_dir/cliphelper.exe: build that tree first" >&2; exit 1; }
  mkdir -p "$state_dir"
  if [ "${VORNIX_E2E_BITS:-64}" = 32 ]; then
    bash "$here/wine32_setup.sh"
    wine_env=${VORNIX_WINE32_CACHE:-$HOME/.cache/vornix/wine32}/wine32.env
    # shellcheck disable=SC1090
    source "$wine_env"
  fi
  # A run that was killed may have left its server and display behind; a
  # wineserver of a dead display breaks every later run.
  stop_previous
  local prefix=$state_dir/wineprefix
  rm -rf "$prefix"
  wine_env_start_xvfb "$state_dir/xvfb.log"
  export DISPLAY=$XVFB_DISPLAY
  wine_env_make_prefix "$prefix" "$state_dir/wineboot.log" ||
    { cat "$state_dir/wineboot.log" >&2; wine_env_stop "$prefix" "$XVFB_PID"; exit 1; }
  # No window manager runs on the display: for each window that closes, Wine waits
  # two seconds for one to answer. Windows it manages itself close at once.
  WINEPREFIX=$prefix "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state_dir/wineboot.log" 2>&1
  echo "Xvfb on $XVFB_DISPLAY, Wine prefix $prefix ($WINE) in $((SECONDS - started)) s"
  # Under Wine the clipboard's content dies with the last program that has a
  # window; this idle one keeps it alive between the programs of a test, as on Windows.
  (cd "$state_dir" && WINEPREFIX=$prefix exec setsid "$WINE" "$exe_dir/cliphelper.exe" idle 86400 keeper) \
    >"$state_dir/keeper.log" 2>&1 </dev/null &
  for _ in $(seq 1 $((150 * WINE_SLOWNESS))); do [ -f "$state_dir/keeper.ready" ] && break; sleep 0.1; done
  [ -f "$state_dir/keeper.ready" ] || { echo "the idle helper did not start" >&2; cat "$state_dir/keeper.log" >&2; exit 1; }
  cat >"$state_file" <<STATE
E2E_PREFIX='$prefix'
E2E_DISPLAY='$XVFB_DISPLAY'
E2E_XVFB_PID='$XVFB_PID'
E2E_EXE_DIR='$exe_dir'
E2E_WINE_ENV='$wine_env'
STATE
  echo "ready in $((SECONDS - started)) s; state in $state_file"
}

cleanup() {
  [ -f "$state_file" ] || { echo "nothing to clean up"; return 0; }
  # shellcheck disable=SC1090
  source "$state_file"
  touch "$state_dir/keeper.stop"
  wine_env_stop "$E2E_PREFIX" "$E2E_XVFB_PID"
  rm -f "$state_file" "$state_dir/keeper.ready" "$state_dir/keeper.stop"
  [ "${VORNIX_E2E_KEEP:-0}" = 1 ] || rm -rf "$E2E_PREFIX"
  echo "stopped Wine and Xvfb; $([ -d "$E2E_PREFIX" ] && echo kept || echo removed) $E2E_PREFIX"
}

case "${1:-}" in
  setup) setup ;;
  cleanup) cleanup ;;
  *) echo "usage: $0 setup|cleanup" >&2; exit 2 ;;
esac
