// The program's version and copyright line as text, from the numbers the build
// sets. Plain macros, so that the resource script and the code read the same ones:
// the title bar, the about box, the bug report and the version resource.
#pragma once

#define VORNIX_VERSION_STR2(x) #x
#define VORNIX_VERSION_STR(x) VORNIX_VERSION_STR2(x)
// major.minor.revision
#define VORNIX_VERSION_TEXT                                                                       \
  VORNIX_VERSION_STR(VORNIX_VERSION_MAJOR) "." VORNIX_VERSION_STR(VORNIX_VERSION_MINOR) "." \
      VORNIX_VERSION_STR(VORNIX_VERSION_PATCH)
// \xA9 is the copyright sign both in the resource script (code page 1252) and in UTF-16.
#define VORNIX_COPYRIGHT_TEXT "Copyright \xA9 2026 Vornix"
