// The computer the program runs on, as the bug report and the about box need
// it: the system's version, the work area, machine-wide registry values and
// starting a program. Implemented by platform/win32 and by a fake in the tests.
#pragma once

#include <string>

namespace vornix::platform {

struct SystemVersion {
  long platformId = -1;  // 0 Win32s, 1 Windows 95/98/ME, 2 NT family; -1 unknown
  long major = 0, minor = 0, build = 0;
};

// The screen's area without the task bar, in pixels.
struct WorkArea {
  long left = 0, top = 0, width = 0, height = 0;
};

class Machine {
 public:
  virtual ~Machine() = default;
  virtual SystemVersion version() = 0;
  virtual WorkArea workArea() = 0;
  // A value under HKEY_LOCAL_MACHINE as text (a number in decimal); false when
  // the key or value is missing or unreadable.
  virtual bool readMachineValue(const std::u16string& key, const std::u16string& name, std::u16string& value) = 0;
  // Starts a program in a normal window; false when it did not start.
  virtual bool startProgram(const std::u16string& path) = 0;
};

}  // namespace vornix::platform
