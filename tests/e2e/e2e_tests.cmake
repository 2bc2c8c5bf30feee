# End-to-end tests: the x86_64 build of Vornix.exe and the test helpers under
# Wine on a private X display. One fixture sets up the Wine prefix and the
# display for the whole run; the tests share them, so they run one at a time.
set(VORNIX_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VORNIX_E2E_ENVIRONMENT
  VORNIX_E2E_STATE=${CMAKE_BINARY_DIR}/e2e
  VORNIX_E2E_SHOTS=${CMAKE_BINARY_DIR}/e2e-shots
  VORNIX_E2E_EXE_DIR=${VORNIX_WIN64_DIR})

add_test(NAME e2e_setup COMMAND bash ${VORNIX_E2E_DIR}/fixture.sh setup)
set_tests_properties(e2e_setup PROPERTIES
  FIXTURES_SETUP wine RESOURCE_LOCK wine TIMEOUT 180 ENVIRONMENT "${VORNIX_E2E_ENVIRONMENT}")
add_test(NAME e2e_cleanup COMMAND bash ${VORNIX_E2E_DIR}/fixture.sh cleanup)
set_tests_properties(e2e_cleanup PROPERTIES
  FIXTURES_CLEANUP wine RESOURCE_LOCK wine TIMEOUT 60 ENVIRONMENT "${VORNIX_E2E_ENVIRONMENT}")

file(GLOB VORNIX_E2E_SCRIPTS CONFIGURE_DEPENDS ${VORNIX_E2E_DIR}/test_*.sh)
foreach(script ${VORNIX_E2E_SCRIPTS})
  get_filename_component(name ${script} NAME_WE)
  string(REGEX REPLACE "^test_" "e2e_" name ${name})
  add_test(NAME ${name} COMMAND bash ${script})
  set_tests_properties(${name} PROPERTIES
    FIXTURES_REQUIRED wine RESOURCE_LOCK wine TIMEOUT 180 ENVIRONMENT "${VORNIX_E2E_ENVIRONMENT}")
endforeach()

# The shipped i686 exe with the i686 helpers under the emulated 32-bit Wine, in
# a prefix and on a display of its own, beside the 64-bit runs. The scenarios are
# those where the two builds' code differs: window data and structures of pointer
# size (start-up in both languages, the list across a restart), SendInput's
# record (the hot menu and text keys typing into another program), the tray
# icon's record (mini mode), the crash guard's exception handling, and the
# clipboard's texts beyond the code page and in side files. Each script runs only
# those parts (VORNIX_E2E_SUBSET): every Wine process start is emulated.
if(VORNIX_WIN32_DIR)
  set(VORNIX_E2E32_ENVIRONMENT
    VORNIX_E2E_STATE=${CMAKE_BINARY_DIR}/e2e32
    VORNIX_E2E_SHOTS=${CMAKE_BINARY_DIR}/e2e32-shots
    VORNIX_E2E_EXE_DIR=${VORNIX_WIN32_DIR}
    VORNIX_E2E_BITS=32
    VORNIX_E2E_SUBSET=1)
  # Its set-up (a new prefix, Wine's boot) runs while no 64-bit test does: 64-bit
  # helpers started meanwhile have ended with status 1 and no word.
  add_test(NAME e2e32_setup COMMAND bash ${VORNIX_E2E_DIR}/fixture.sh setup)
  set_tests_properties(e2e32_setup PROPERTIES
    FIXTURES_SETUP wine32 RESOURCE_LOCK "wine32;wine" TIMEOUT 600 ENVIRONMENT "${VORNIX_E2E32_ENVIRONMENT}")
  add_test(NAME e2e32_cleanup COMMAND bash ${VORNIX_E2E_DIR}/fixture.sh cleanup)
  set_tests_properties(e2e32_cleanup PROPERTIES
    FIXTURES_CLEANUP wine32 RESOURCE_LOCK wine32 TIMEOUT 60 ENVIRONMENT "${VORNIX_E2E32_ENVIRONMENT}")
  set(VORNIX_E2E32_TESTS)
  foreach(name startup capture_persistence text_intact quick_access mini_mode no_loss)
    add_test(NAME e2e32_${name} COMMAND bash ${VORNIX_E2E_DIR}/test_${name}.sh)
    set_tests_properties(e2e32_${name} PROPERTIES
      FIXTURES_REQUIRED wine32 RESOURCE_LOCK wine32 TIMEOUT 1200 ENVIRONMENT "${VORNIX_E2E32_ENVIRONMENT}")
    list(APPEND VORNIX_E2E32_TESTS e2e32_${name})
  endforeach()

  # The release bundle holds the exe that the 32-bit scenarios ran; after all of
  # them, so that none still holds the copy of an earlier build.
  add_test(NAME dist_bundle COMMAND bash -c
    "bash \"$0\"/dist.sh \"$1\"/Vornix.exe \"$2\" && bash \"$0\"/check_dist.sh \"$2\"/Vornix-*.zip \"$1\"/Vornix.exe $(ls \"$3\"/work/*/Vornix.exe 2>/dev/null)"
    ${CMAKE_SOURCE_DIR}/packaging ${VORNIX_WIN32_DIR} ${CMAKE_BINARY_DIR}/dist ${CMAKE_BINARY_DIR}/e2e32)
  set_tests_properties(dist_bundle PROPERTIES DEPENDS "${VORNIX_E2E32_TESTS}")
endif()

# The executable check must itself catch what it is there for.
add_test(NAME exe_check_rejects_64bit
         COMMAND bash ${VORNIX_E2E_DIR}/check_exe.sh ${VORNIX_WIN64_DIR}/Vornix.exe)
set_tests_properties(exe_check_rejects_64bit PROPERTIES
  PASS_REGULAR_EXPRESSION "FAIL: not a 32-bit PE executable")
if(VORNIX_WIN32_DIR)
  add_test(NAME exe_check_rejects_post_xp_import
           COMMAND bash ${VORNIX_E2E_DIR}/check_exe.sh ${VORNIX_WIN32_DIR}/xp_violation.exe)
  set_tests_properties(exe_check_rejects_post_xp_import PROPERTIES
    PASS_REGULAR_EXPRESSION "FAIL: import kernel32.dll!GetTickCount64 is not in")
endif()

# The editor test drives many windows through the probe: each step is a Wine
# process start, which a loaded machine makes slow.
set_tests_properties(e2e_editor PROPERTIES TIMEOUT 300)
# The main window's test also walks every toolbar command and tab from the keyboard.
set_tests_properties(e2e_main_window PROPERTIES TIMEOUT 300)
# The start-up test also opens every dialog and Settings page four times over.
set_tests_properties(e2e_startup PROPERTIES TIMEOUT 600)
