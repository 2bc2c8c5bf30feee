#!/bin/bash
# Fails when an include points against the layers of the tree:
#   src/base      text basics: only the C++ library and base itself
#   src/platform  the seams and their implementations: base and platform only;
#                 the interfaces and the fake stay portable
#   src/core      the program's logic: base, the platform's interfaces, core;
#                 no Windows header, no platform implementation, no window
#   src/win32     the windows: the only place that includes src/win32
# Usage: check_layers.sh ROOT (the checkout); prints every offending line.
set -u
root=${1:?usage: check_layers.sh ROOT}
cd "$root" || exit 2

bad=0
# Prints "file:line: include" for each include in FILES... matching the
# extended regular expression RULE, with REASON, and counts them.
forbid() {
  local rule=$1 reason=$2; shift 2
  [ $# -gt 0 ] || return 0
  local hits
  hits=$(grep -HnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*$rule" "$@")
  if [ -n "$hits" ]; then
    printf '%s\n' "$hits" | sed "s|\$|   <- $reason|"
    bad=$((bad + $(printf '%s\n' "$hits" | wc -l)))
  fi
}
files() { find "$@" -type f \( -name '*.h' -o -name '*.cpp' -o -name '*.inc' -o -name '*.rc' \) 2>/dev/null | sort; }

mapfile -t base < <(files src/base)
mapfile -t portable_platform < <(find src/platform -maxdepth 1 -type f | sort; files src/platform/fake)
mapfile -t platform < <(files src/platform)
mapfile -t core < <(files src/core)
mapfile -t outside_ui < <(files src/base src/platform src/core tests bench fuzz)

forbid '"(core|platform|win32)/' "base includes nothing above it" "${base[@]}"
forbid '"(core|win32)/' "the platform stands on base only" "${platform[@]}"
forbid '<[^>]*\.h>' "a portable layer includes no system header" "${base[@]}" "${portable_platform[@]}" "${core[@]}"
forbid '"(platform/win32|platform/fake|win32)/' "the core reaches the system through the platform's interfaces" "${core[@]}"
forbid '"win32/' "only the windows include the windows" "${outside_ui[@]}"

if [ "$bad" -gt 0 ]; then
  echo "FAIL: $bad include(s) against the layers"
  exit 1
fi
echo "layers: every include points down (${#base[@]} base, ${#platform[@]} platform, ${#core[@]} core files)"
