// The computer the program runs on, through the Win32 API.
#pragma once

#include "platform/machine.h"

namespace vornix::win32 {

class Win32Machine : public platform::Machine {
 public:
  platform::SystemVersion version() override;
  platform::WorkArea workArea() override;
  bool readMachineValue(const std::u16string& key, const std::u16string& name, std::u16string& value) override;
  bool startProgram(const std::u16string& path) override;
};

}  // namespace vornix::win32
