#!/usr/bin/env bash
# The Win32 platform library (clipboard, viewer chain, registry, files, clock,
# locale, shell, single-instance mutex) against the system it wraps.
source "$(dirname "$0")/lib.sh"

exe=$E2E_WORK/win32_platform_test.exe
cp "$E2E_EXE_DIR/win32_platform_test.exe" "$exe"

step "platform checks"
if ! out=$(cd "$E2E_WORK" && wine_run "$exe" all "$(winpath "$E2E_WORK")"); then
  echo "$out"
  fail "platform checks failed"
fi
echo "$out" | tail -1

step "only the first copy holds the instance mutex"
"$WINE" "$exe" instance 4000 >"$E2E_WORK/first.out" 2>&1 </dev/null &
first=$!
E2E_BACKGROUND_PIDS+=("$first")
wait_until 10 grep -q . "$E2E_WORK/first.out" || fail "the first copy did not answer"
assert_eq 0 "$(tr -d '\r' <"$E2E_WORK/first.out")" "first copy sees another instance"
assert_eq 1 "$(wine_run "$exe" instance 0)" "second copy sees another instance"
wait "$first"
assert_eq 0 "$(wine_run "$exe" instance 0)" "a copy started after the first ended sees another instance"
