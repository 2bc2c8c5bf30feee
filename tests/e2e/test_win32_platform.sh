#!/usr/bin/env bash
# The Win32 platform library (clipboard, viewer chain, registry, files, clock,
# locale, shell) against the system it wraps, where the program cannot be made to
# meet damaged input or failures. The single instance is seen through the program
# in test_startup.sh.
source "$(dirname "$0")/lib.sh"

cp "$E2E_EXE_DIR/win32_platform_test.exe" "$E2E_WORK/"
run() { cd "$E2E_WORK" && wine_run win32_platform_test.exe "$(winpath "$E2E_WORK")"; }
# Nothing at all printed is Wine failing to start the program (seen once when the
# previous test's server was still going down), not a check that failed: once more.
out=$(run) || { [ -z "$out" ] && out=$(run); } || { echo "$out"; tail -5 "$E2E_WORK/wine_run.log"; fail "platform checks failed"; }
echo "$out" | tail -1
