# Wine and a private X display, for the end-to-end tests and `make run`.
# Sourced, not run. The kernel here runs no 32-bit code, so everything calls
# the wine64 loader and server directly; the shipped i686 build runs under the
# emulated 32-bit Wine that wine32_setup.sh prepares, whose environment file
# sets WINE to its loader (the 64-bit server serves both).

WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
WINE_SLOWNESS=1
export WINEDEBUG=-all
# No Mono or Gecko installer dialogs, no menu entries on the host.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The tests fix the locale, whatever the caller's: Wine then runs as English (US)
# with the ANSI code page 1252 and reads UTF-8 command lines correctly.
wine_env_fixed_locale() { export LC_ALL=C.UTF-8; }

# Starts Xvfb on the first free display from :90 and waits until it answers.
# Sets XVFB_DISPLAY and XVFB_PID. Output goes to $1, never to the caller's
# pipes: a background process holding them would keep a test runner waiting.
wine_env_start_xvfb() {
  local log=$1 n pid i
  for n in $(seq 90 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$log" 2>&1 </dev/null &
    pid=$!
    for i in $(seq 1 100); do
      if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        XVFB_DISPLAY=":$n"
        XVFB_PID=$pid
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null
  done
  echo "could not start Xvfb (see $log)" >&2
  return 1
}

# Creates (or updates) the Wine prefix $1 with a persistent wineserver, so that
# later programs start fast and the prefix's clipboard and desktop stay up.
wine_env_make_prefix() {
  local prefix=$1 log=$2
  mkdir -p "$prefix"
  WINEPREFIX=$prefix "$WINESERVER" -p >>"$log" 2>&1 </dev/null
  WINEPREFIX=$prefix "$WINE" wineboot -i >>"$log" 2>&1 </dev/null
}

wine_env_stop() {
  local prefix=$1 xvfb_pid=$2
  if [ -n "$prefix" ]; then
    # A server that is gone already is what we want: callers run under set -e.
    WINEPREFIX=$prefix "$WINESERVER" -k >/dev/null 2>&1 </dev/null || true
    WINEPREFIX=$prefix timeout 10 "$WINESERVER" -w >/dev/null 2>&1 </dev/null || true
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    local i
    for i in $(seq 1 50); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
  fi
  return 0
}
